#pragma once

#include <QMessageLogContext>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects the warnings (and worse; with `withInfo` the notes too) that one logging category writes
// while it lives, and still passes every message on. One at a time: a second capture replaces the
// first until it ends.
class LogCapture
{
public:
    explicit LogCapture(const char* category, bool withInfo = false)
    {
        s_category = category;
        s_withInfo = withInfo;
        s_messages.clear();
        m_previous = qInstallMessageHandler(&LogCapture::handle);
        s_forward = m_previous;
    }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        s_forward = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& messages() const { return s_messages; }
    int count(const QString& part) const { return int(s_messages.filter(part).size()); }
    void clear() { s_messages.clear(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        const bool wanted = type != QtDebugMsg && (type != QtInfoMsg || s_withInfo);
        if (wanted && qstrcmp(context.category, s_category) == 0)
            s_messages << message;
        if (s_forward != nullptr)
            s_forward(type, context, message);
    }

    QtMessageHandler m_previous = nullptr;
    static inline const char* s_category = "";
    static inline bool s_withInfo = false;
    static inline QStringList s_messages;
    static inline QtMessageHandler s_forward = nullptr;
};
