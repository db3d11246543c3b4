#pragma once

#include "support/RunningProgram.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <xcb/xcb.h>

#include <cstring>
#include <memory>

// A private X server (Xvfb) for tests that need the program's real window, and the window manager's
// one job they need: asking a window to close, as its close box does.
class XServer
{
public:
    XServer()
    {
        // -displayfd: the server takes a free display and writes its number to standard output.
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1280x1024x24")});
        const QDeadlineTimer deadline(20000);
        while (!m_server.canReadLine() && !deadline.hasExpired() && m_server.state() != QProcess::NotRunning)
            m_server.waitForReadyRead(100);
        const QByteArray number = m_server.readLine().trimmed();
        if (!number.isEmpty())
            m_display = QStringLiteral(":") + QString::fromLatin1(number);
    }
    ~XServer()
    {
        m_server.terminate();
        if (!m_server.waitForFinished(5000)) {
            m_server.kill();
            m_server.waitForFinished(5000);
        }
    }

    // ":N", or empty when the server did not start.
    const QString& display() const { return m_display; }

    // `env` for a program with a window on this server. In a sanitizer build, two faults of the
    // desktop's libraries are passed over: libxkbcommon-x11 hands strndup a buffer without a
    // terminating NUL, which strict string checks take for an overflow, and libdbus keeps a buffer.
    QProcessEnvironment environmentFor(QProcessEnvironment env) const
    {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), m_display);
        addSanitizerOption(env, "strict_string_checks=0");
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("suppressions=") + qEnvironmentVariable("VEZOZIL_SOURCE_DIR") +
                           QStringLiteral("/tests/support/x11.lsan"));
        return env;
    }

    // Sends WM_DELETE_WINDOW to the shown top-level window of process `pid`; false when it has none.
    // `lookOnly`: only says whether there is one.
    bool closeWindowOf(qint64 pid, bool lookOnly = false) const
    {
        xcb_connection_t* c = xcb_connect(m_display.toLatin1().constData(), nullptr);
        const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(c, &xcb_disconnect);
        if (xcb_connection_has_error(c))
            return false;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
        const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS");
        const xcb_atom_t deleteWindow = atom(c, "WM_DELETE_WINDOW");
        auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
        if (!tree)
            return false;
        bool sent = false;
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree) && !sent; ++i) {
            const xcb_window_t w = children[i];
            if (!viewable(c, w) || windowPid(c, w, pidAtom) != pid)
                continue;
            sent = true;
            if (lookOnly)
                break;
            xcb_client_message_event_t event = {};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 32;
            event.window = w;
            event.type = protocols;
            event.data.data32[0] = deleteWindow;
            event.data.data32[1] = XCB_CURRENT_TIME;
            xcb_send_event(c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
            xcb_flush(c);
        }
        std::free(tree);
        return sent;
    }

private:
    static xcb_atom_t atom(xcb_connection_t* c, const char* name)
    {
        auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return a;
    }
    static bool viewable(xcb_connection_t* c, xcb_window_t w)
    {
        auto* reply = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
        const bool shown = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(reply);
        return shown;
    }
    static qint64 windowPid(xcb_connection_t* c, xcb_window_t w, xcb_atom_t pidAtom)
    {
        auto* reply =
            xcb_get_property_reply(c, xcb_get_property(c, 0, w, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        qint64 pid = -1;
        if (reply && xcb_get_property_value_length(reply) == 4)
            pid = *static_cast<const quint32*>(xcb_get_property_value(reply));
        std::free(reply);
        return pid;
    }

    QProcess m_server;
    QString m_display;
};
