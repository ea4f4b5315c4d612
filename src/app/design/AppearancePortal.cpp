#include "app/design/AppearancePortal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

namespace tollenvane {

namespace {

// Long enough for a portal that is running, short enough not to be noticed when none is.
constexpr int replyTimeoutMs = 250;

} // namespace

std::optional<std::uint32_t> AppearancePortal::colorSchemeFromReply(const QVariant& reply)
{
    QVariant value = reply;
    while (value.canConvert<QDBusVariant>() &&
           value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return scheme;
}

std::optional<std::uint32_t> AppearancePortal::readColorScheme()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return std::nullopt;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, "Read");
    call << QString::fromLatin1(group) << QString::fromLatin1(key);
    const QDBusMessage reply = bus.call(call, QDBus::Block, replyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    return colorSchemeFromReply(reply.arguments().constFirst());
}

} // namespace tollenvane
