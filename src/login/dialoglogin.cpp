#include "dialoglogin.h"

#include "ui_dialoglogin.h"

#include "displayscaling.h"

namespace {

struct AddressPreset
{
    const char *label;
    const char *address;
};

// Compared with the untranslated labels on purpose: a catalogue that renames an
// item makes it match nothing, and the address field keeps its text.
constexpr AddressPreset kPresets[] = {
    {"Windows auto", DialogLogin::kDefaultAddress},
    {"Veltrona Standard 1", "10.0.0.20"},
    {"Veltrona Standard 2", "10.0.0.21"},
    {"VOXA 1", "192.168.1.50"},
    {"VOXA 2", "192.168.1.51"},
    {"Andere IP", ""},
};

} // namespace

DialogLogin::DialogLogin(QWidget *parent) : QDialog(parent), ui(new Ui::DialogLogin)
{
    ui->setupUi(this);
    scrollWhenSmall(this);
    // Through the field, so that IPAddress is filled by the same road as a preset.
    emit SetIPString(QString::fromLatin1(kDefaultAddress));
    // The literals, not the fields: a catalogue may translate the fields' texts.
    Username = QString::fromLatin1(kDefaultUser);
    Password = QString::fromLatin1(kDefaultPassword);
}

DialogLogin::~DialogLogin()
{
    delete ui;
}

void DialogLogin::getIPSelected(QString Auswahl)
{
    for (const AddressPreset &preset : kPresets) {
        if (Auswahl == QLatin1String(preset.label))
            emit SetIPString(QString::fromLatin1(preset.address));
    }
}

void DialogLogin::getIPInserted(QString text)
{
    IPAddress = text;
}

void DialogLogin::getUsername(QString text)
{
    Username = text;
}

void DialogLogin::getPassword(QString text)
{
    Password = text;
}

void DialogLogin::onConnectButtonClicked()
{
    accept();
}
