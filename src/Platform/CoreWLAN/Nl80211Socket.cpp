#include "Platform/CoreWLAN/Nl80211Socket.h"

#include <cerrno>
#include <netlink/genl/ctrl.h>
#include <netlink/genl/genl.h>
#include <netlink/msg.h>
#include <netlink/netlink.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

struct ReplyState {
    const Nl80211Socket::MessageHandler* onReply;
    int status = 1; // 1 while replies are due
};

int onValid(nl_msg* message, void* argument) {
    (*static_cast<ReplyState*>(argument)->onReply)(message);
    return NL_OK;
}

int onFinish(nl_msg*, void* argument) {
    static_cast<ReplyState*>(argument)->status = 0;
    return NL_SKIP;
}

int onAck(nl_msg*, void* argument) {
    static_cast<ReplyState*>(argument)->status = 0;
    return NL_STOP;
}

int onError(sockaddr_nl*, nlmsgerr* error, void* argument) {
    static_cast<ReplyState*>(argument)->status = error->error < 0 ? error->error : -EIO;
    return NL_STOP;
}

int acceptAnySequence(nl_msg*, void*) {
    return NL_OK;
}

struct EventState {
    const std::function<bool(nl_msg*)>* onEvent;
    bool isDone = false;
};

int onEventMessage(nl_msg* message, void* argument) {
    auto* state = static_cast<EventState*>(argument);
    if (!state->isDone) {
        state->isDone = (*state->onEvent)(message);
    }
    return NL_OK;
}

using Callbacks = std::unique_ptr<nl_cb, decltype(&nl_cb_put)>;
using Message = std::unique_ptr<nl_msg, decltype(&nlmsg_free)>;

// Bounds every blocking receive, so that a kernel that never answers cannot
// hold the caller's thread.
void setReceiveTimeout(nl_sock* socket, std::chrono::milliseconds timeout) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
    const timeval value{static_cast<time_t>(seconds.count()),
                        static_cast<suseconds_t>((timeout - seconds).count() * 1000)};
    setsockopt(nl_socket_get_fd(socket), SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value);
}

} // namespace

std::unique_ptr<Nl80211Socket> Nl80211Socket::open() {
    nl_sock* socket = nl_socket_alloc();
    if (socket == nullptr) {
        return nullptr;
    }
    if (genl_connect(socket) < 0) {
        nl_socket_free(socket);
        return nullptr;
    }
    const int family = genl_ctrl_resolve(socket, "nl80211");
    if (family < 0) {
        nl_socket_free(socket);
        return nullptr;
    }
    // Scan dumps hold messages larger than a page.
    nl_socket_enable_msg_peek(socket);
    setReceiveTimeout(socket, std::chrono::seconds(1));
    return std::unique_ptr<Nl80211Socket>(new Nl80211Socket(socket, family));
}

Nl80211Socket::Nl80211Socket(nl_sock* socket, int family) : socket_(socket), family_(family) {}

Nl80211Socket::~Nl80211Socket() {
    nl_socket_free(socket_);
}

int Nl80211Socket::request(std::uint8_t command, bool isDump, const AttributeWriter& write,
                           const MessageHandler& onReply) {
    const Message message(nlmsg_alloc(), &nlmsg_free);
    const Callbacks callbacks(nl_cb_alloc(NL_CB_DEFAULT), &nl_cb_put);
    if (!message || !callbacks) {
        return -ENOMEM;
    }
    if (genlmsg_put(message.get(), NL_AUTO_PORT, NL_AUTO_SEQ, family_, 0, isDump ? NLM_F_DUMP : 0,
                    command, 0) == nullptr ||
        !write(message.get())) {
        return -EMSGSIZE;
    }
    ReplyState state{&onReply};
    nl_cb_set(callbacks.get(), NL_CB_VALID, NL_CB_CUSTOM, onValid, &state);
    nl_cb_set(callbacks.get(), NL_CB_FINISH, NL_CB_CUSTOM, onFinish, &state);
    nl_cb_set(callbacks.get(), NL_CB_ACK, NL_CB_CUSTOM, onAck, &state);
    nl_cb_err(callbacks.get(), NL_CB_CUSTOM, onError, &state);
    if (nl_send_auto(socket_, message.get()) < 0) {
        return -EIO;
    }
    while (state.status > 0) {
        if (nl_recvmsgs(socket_, callbacks.get()) < 0) {
            return -EIO;
        }
    }
    return state.status;
}

int Nl80211Socket::subscribe(const char* group) {
    const int groupId = genl_ctrl_resolve_grp(socket_, "nl80211", group);
    if (groupId < 0) {
        return -ENOENT;
    }
    return nl_socket_add_membership(socket_, groupId) < 0 ? -EIO : 0;
}

int Nl80211Socket::waitForEvent(const std::function<bool(nl_msg*)>& onEvent,
                                std::chrono::steady_clock::time_point deadline) {
    const Callbacks callbacks(nl_cb_alloc(NL_CB_DEFAULT), &nl_cb_put);
    if (!callbacks) {
        return -ENOMEM;
    }
    // Events carry no sequence number of ours.
    EventState state{&onEvent};
    nl_cb_set(callbacks.get(), NL_CB_SEQ_CHECK, NL_CB_CUSTOM, acceptAnySequence, nullptr);
    nl_cb_set(callbacks.get(), NL_CB_VALID, NL_CB_CUSTOM, onEventMessage, &state);
    while (!state.isDone) {
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (remaining.count() <= 0) {
            return -ETIMEDOUT;
        }
        pollfd descriptor{nl_socket_get_fd(socket_), POLLIN, 0};
        const int ready = poll(&descriptor, 1, static_cast<int>(remaining.count()));
        if (ready < 0 && errno != EINTR) {
            return -errno;
        }
        if (ready > 0 && nl_recvmsgs(socket_, callbacks.get()) < 0) {
            return -EIO;
        }
    }
    return 0;
}
