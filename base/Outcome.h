#pragma once

#include <QString>

// The result of an operation that can fail: success, or failure with a
// message for the user (already translated, short, any bad input quoted).
class COutcome
{
public:
    static COutcome Ok() { return COutcome(true, QString()); }
    static COutcome Failed(const QString& message) { return COutcome(false, message); }

    bool IsOk() const { return m_bOk; }
    explicit operator bool() const { return m_bOk; }
    const QString& Message() const { return m_szMessage; }

private:
    COutcome(bool ok, QString message)
        : m_bOk(ok)
        , m_szMessage(std::move(message))
    {
    }

    bool m_bOk;
    QString m_szMessage;
};
