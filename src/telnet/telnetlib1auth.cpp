#include "telnetlib1auth.h"

#include "telnetlib1_p.h"

telnetlib1Auth::~telnetlib1Auth() = default;

QByteArray telnetlib1AuthNull::respond(const QByteArray &body)
{
    if (body.size() < 2 || uchar(body.at(1)) != Telnet::SEND)
        return QByteArray();
    state = Succeeded;
    // IAC SB AUTHENTICATION IS, type NULL, no modifiers, IAC SE.
    static const char isNull[] = {
        char(Telnet::IAC), char(Telnet::SB), char(Telnet::Authentication), char(Telnet::IS), 0, 0,
        char(Telnet::IAC), char(Telnet::SE)};
    return QByteArray(isNull, int(sizeof isNull));
}
