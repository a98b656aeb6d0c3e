#ifndef DIALOGLOGIN_H
#define DIALOGLOGIN_H

#include <QDialog>
#include <QString>

namespace Ui {
class DialogLogin;
}

// Asks for the master module's address, user name and password. It checks and
// connects nothing: the caller reads the three public strings after exec().
class DialogLogin : public QDialog
{
    Q_OBJECT

public:
    // The link-local address of the "Windows auto" preset. The main window starts
    // from the same address, so rejecting the dialog changes nothing.
    static constexpr char kDefaultAddress[] = "169.254.100.100";
    static constexpr char kDefaultUser[] = "tastarello";
    static constexpr char kDefaultPassword[] = "kantor";

    explicit DialogLogin(QWidget *parent = nullptr);
    ~DialogLogin() override;

    // Every field change lands here at once, typed or set by a preset.
    QString IPAddress;
    QString Username;
    QString Password;

signals:
    void SetIPString(QString IPText);

public slots:
    void getIPSelected(QString Auswahl);
    void getIPInserted(QString);
    void getUsername(QString);
    void getPassword(QString);
    void onConnectButtonClicked();

private:
    Ui::DialogLogin *ui;
};

#endif // DIALOGLOGIN_H
