#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <vector>
#include <xcb/xcb.h>

// A desktop's clipboard manager, for tests: it owns CLIPBOARD_MANAGER and,
// asked to SAVE_TARGETS, copies the clipboard's text (UTF8_STRING) from its
// owner, takes the clipboard over and serves that text from then on, so that
// it stays pasteable after its first owner has ended. Prints "ready" once it
// owns the manager selection and "saved N bytes" after each save; runs until
// it is ended. With --cut-off-saver it saves nothing: it has the X server
// close the connection of whoever asks it to save, as a display lost at that
// moment would.

namespace {

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

struct Atoms {
    xcb_atom_t clipboard;
    xcb_atom_t manager;
    xcb_atom_t saveTargets;
    xcb_atom_t targets;
    xcb_atom_t utf8String;
    xcb_atom_t transfer;
};

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : XCB_ATOM_NONE;
}

void answer(xcb_connection_t* connection, const xcb_selection_request_event_t& request,
            xcb_atom_t property) {
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = property;
    xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(connection);
}

// The next event of `type`, dropping others; none after five seconds.
ReplyPointer<xcb_generic_event_t> awaitEvent(xcb_connection_t* connection, std::uint8_t type) {
    pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (true) {
        while (auto* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == type) {
                return owned(event);
            }
            std::free(event);
        }
        if (::poll(&descriptor, 1, 5000) <= 0) {
            return owned<xcb_generic_event_t>(nullptr);
        }
    }
}

// The clipboard's text, read from its owner into a property of `window`.
std::optional<std::string> clipboardText(xcb_connection_t* connection, xcb_window_t window,
                                         const Atoms& atoms) {
    xcb_convert_selection(connection, window, atoms.clipboard, atoms.utf8String, atoms.transfer,
                          XCB_CURRENT_TIME);
    xcb_flush(connection);
    const auto event = awaitEvent(connection, XCB_SELECTION_NOTIFY);
    if (!event ||
        reinterpret_cast<xcb_selection_notify_event_t*>(event.get())->property == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    const auto property =
        owned(xcb_get_property_reply(connection,
                                     xcb_get_property(connection, 1, window, atoms.transfer,
                                                      XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 24),
                                     nullptr));
    if (!property || property->type != atoms.utf8String) {
        return std::nullopt;
    }
    return std::string(static_cast<const char*>(xcb_get_property_value(property.get())),
                       std::size_t(xcb_get_property_value_length(property.get())));
}

} // namespace

int main(int argc, char** argv) {
    const bool cutsOffSavers = argc > 1 && std::strcmp(argv[1], "--cut-off-saver") == 0;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fputs("no X display\n", stderr);
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int skipped = 0; skipped < screenNumber; ++skipped) {
        xcb_screen_next(&screens);
    }
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screens.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const Atoms atoms{atom(connection, "CLIPBOARD"),    atom(connection, "CLIPBOARD_MANAGER"),
                      atom(connection, "SAVE_TARGETS"), atom(connection, "TARGETS"),
                      atom(connection, "UTF8_STRING"),  atom(connection, "PELMOR_SAVED_TEXT")};
    xcb_set_selection_owner(connection, window, atoms.manager, XCB_CURRENT_TIME);
    const auto owner = owned(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atoms.manager), nullptr));
    if (!owner || owner->owner != window) {
        std::fputs("another clipboard manager runs\n", stderr);
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);

    std::optional<std::string> saved;
    while (auto* event = xcb_wait_for_event(connection)) {
        const auto held = owned(event);
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_SELECTION_CLEAR) {
            // Someone copied something else: it is theirs to serve now.
            if (reinterpret_cast<xcb_selection_clear_event_t*>(event)->selection ==
                atoms.clipboard) {
                saved.reset();
            }
            continue;
        }
        if (type != XCB_SELECTION_REQUEST) {
            continue;
        }
        const auto request = *reinterpret_cast<xcb_selection_request_event_t*>(event);
        if (request.selection == atoms.manager && request.target == atoms.saveTargets &&
            cutsOffSavers) {
            xcb_kill_client(connection, request.requestor);
            xcb_flush(connection);
        } else if (request.selection == atoms.manager && request.target == atoms.saveTargets) {
            saved = clipboardText(connection, window, atoms);
            if (saved) {
                xcb_set_selection_owner(connection, window, atoms.clipboard, XCB_CURRENT_TIME);
                std::printf("saved %zu bytes\n", saved->size());
                std::fflush(stdout);
            }
            answer(connection, request, saved ? request.property : XCB_ATOM_NONE);
        } else if (request.selection == atoms.clipboard && saved &&
                   request.target == atoms.targets) {
            const std::vector<xcb_atom_t> offered{atoms.targets, atoms.utf8String};
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor,
                                request.property, XCB_ATOM_ATOM, 32, std::uint32_t(offered.size()),
                                offered.data());
            answer(connection, request, request.property);
        } else if (request.selection == atoms.clipboard && saved &&
                   request.target == atoms.utf8String) {
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor,
                                request.property, atoms.utf8String, 8, std::uint32_t(saved->size()),
                                saved->data());
            answer(connection, request, request.property);
        } else {
            answer(connection, request, XCB_ATOM_NONE);
        }
    }
    xcb_disconnect(connection);
    return 0;
}
