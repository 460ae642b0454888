#pragma once

#include <cstdint>
#include <memory>

#include <QObject>

class QSocketNotifier;
struct xcb_connection_t;

// Follows which window owns the XEmbed tray selection ("_NET_SYSTEM_TRAY_S<n>"
// of the display's default screen): the tray that docks icons now. Told by the
// server (XFixes selection events) over a connection of its own, so that it
// never waits on Qt's. Where the platform is not X, or the display cannot be
// reached, there is never an owner.
class XEmbedTraySelection final : public QObject {
    Q_OBJECT

public:
    XEmbedTraySelection();
    ~XEmbedTraySelection() override;

    // The tray's window; 0 where none.
    quint32 owner() const { return owner_; }
    bool hasOwner() const { return owner_ != 0; }
    // The visual the tray asks its icons to use ("_NET_SYSTEM_TRAY_VISUAL"),
    // and its depth (32 where it has an alpha channel); 0 where it names none.
    quint32 visual() const { return visual_; }
    int visualDepth() const { return visualDepth_; }

signals:
    // Once per change of owner.
    void ownerChanged();

private:
    bool connectToDisplay();
    void readEvents();
    bool takeSelectionEvents();
    void readOwner();
    void readVisual();
    void disconnectFromDisplay();

    xcb_connection_t* connection_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::uint32_t root_ = 0;
    std::uint32_t selection_ = 0;
    std::uint32_t visualProperty_ = 0;
    std::uint8_t xfixesFirstEvent_ = 0;
    quint32 owner_ = 0;
    quint32 visual_ = 0;
    int visualDepth_ = 0;
};
