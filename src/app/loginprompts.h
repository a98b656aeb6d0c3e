#ifndef LOGINPROMPTS_H
#define LOGINPROMPTS_H

#include <QString>

// The login of one connection, read from what the master sends. A prompt is the
// word "login:" or "password:" at the very end of what the connection has sent
// so far, with nothing but blanks after it: that is how a server writes it when
// it waits for input. A greeting such as "Last login: ..." or a listing that
// mentions the words goes on after them and is no prompt. The text may arrive in
// any pieces, so the last few characters are kept from one piece to the next.
//
// Each prompt is answered at most once per connection, and none after the
// password: a login prompt that follows the password is the master refusing
// the login.
class LoginPrompts
{
public:
    enum Answer { Nothing, User, Password, Refused };

    // What the window should do about the next piece of the connection's text.
    Answer take(const QString &text);
    // A new connection: no prompt answered, nothing kept.
    void reset();

private:
    enum class Stage { Waiting, UserSent, PasswordSent, Refused };

    Stage stage = Stage::Waiting;
    // The connection's last characters before any blanks, as many as a prompt
    // word can span, and whether blanks came after them.
    QString tail;
    bool blanksAfterTail = false;
};

#endif // LOGINPROMPTS_H
