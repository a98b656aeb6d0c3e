#ifndef TELNETLIB1AUTH_H
#define TELNETLIB1AUTH_H

#include <QByteArray>

// An authentication method of the telnet AUTHENTICATION option. The engine hands
// it each sub-negotiation body (option code, qualifier, data) and writes back
// whatever it returns; `state` tells the engine how the exchange ended.
class telnetlib1Auth
{
public:
    enum State { Pending = 0, Succeeded = 1, Failed = 2 };

    virtual ~telnetlib1Auth();
    virtual QByteArray respond(const QByteArray &body) = 0;

    int state = Pending;
};

// The NULL method: answers SEND with "IS NULL" and counts that as success,
// leaving the real check to the prompts that follow.
class telnetlib1AuthNull : public telnetlib1Auth
{
public:
    QByteArray respond(const QByteArray &body) override;
};

#endif // TELNETLIB1AUTH_H
