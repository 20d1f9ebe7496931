#pragma once

#include <QString>
#include <stdexcept>

// The program's error: carries the text the user is shown. Handlers let it escape; the application
// shows it in a message box and skips the rest of that handler.
class EZQError : public std::runtime_error
{
public:
    explicit EZQError(const QString& AMessage)
        : std::runtime_error(AMessage.toStdString()), FMessage(AMessage)
    {
    }

    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};
