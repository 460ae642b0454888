#pragma once

#include <cstdint>

#include <QAbstractNativeEventFilter>
#include <QObject>

struct xcb_connection_t;

// Follows which window owns the XEmbed tray selection ("_NET_SYSTEM_TRAY_S<n>"
// of the default screen of the display Qt is on): the tray that docks icons
// now. Told by the server (XFixes selection events) on Qt's own connection,
// and by the tray itself when it is ready (its MANAGER message on the root
// window). Where the platform is not X, or the server has no XFixes, there is
// never an owner.
class XEmbedTraySelection final : public QObject, private QAbstractNativeEventFilter {
    Q_OBJECT

public:
    XEmbedTraySelection();
    ~XEmbedTraySelection() override;

    // The tray's window; 0 where none.
    quint32 owner() const { return owner_; }
    bool hasOwner() const { return owner_ != 0; }
    // The visual the tray asks its icons to use ("_NET_SYSTEM_TRAY_VISUAL"),
    // and its depth (32 where it has an alpha channel); 0 where it names none.
    // Read at each change of owner and again when the tray announces itself:
    // a tray may name it only after taking the selection.
    quint32 visual() const { return visual_; }
    int visualDepth() const { return visualDepth_; }

signals:
    // Once per change of owner.
    void ownerChanged();
    // The owner said it is ready to dock icons (after ownerChanged where it
    // is a new one); its visual is read again.
    void announced();

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool watchSelection();
    void hearAnnouncements(xcb_connection_t* connection, std::uint32_t root);
    void ownerAnnounced();
    void readOwner();
    void readVisual();

    bool watching_ = false;
    std::uint32_t selection_ = 0;
    std::uint32_t visualProperty_ = 0;
    std::uint32_t managerMessage_ = 0;
    std::uint8_t xfixesFirstEvent_ = 0;
    quint32 owner_ = 0;
    quint32 visual_ = 0;
    int visualDepth_ = 0;
};
