// The error every operation of the idiom store raises. Its message is meant
// for the user: it names the data file and says what went wrong.
#pragma once

#include <QString>
#include <stdexcept>

class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    QString message() const { return m_message; }

private:
    QString m_message;
};
