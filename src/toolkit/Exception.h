#pragma once

#include <QString>
#include <stdexcept>

// An error raised by an event handler's work; its text is what the student sees.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }

    QString Message() const { return QString::fromUtf8(what()); }
};
