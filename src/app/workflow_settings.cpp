#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <algorithm>

namespace {

const int kSpreadStep = 5;
const int kSpreadMin = 0;
const int kSpreadMax = 100;
const int kTwoDigitMax = 99;

// Field text as a signed number, 0 when it is none; 64 bits so that a step on
// the largest int cannot overflow.
qint64 spreadFieldValue(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

QString MainWindow::twoDigitValue(const QString &text)
{
    bool ok = false;
    qulonglong number = text.toULongLong(&ok, 10);
    if (!ok) {
        // A string of digits too long for 64 bits is still a number above 99.
        const QString digits = text.trimmed();
        const bool allDigits = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        number = allDigits ? qulonglong(kTwoDigitMax) + 1 : 0;
    }
    if (number <= 9)
        return QStringLiteral("0") + text;
    if (number > qulonglong(kTwoDigitMax))
        return QString::number(kTwoDigitMax);
    return text;
}

void MainWindow::Settings_spreizm_btn_clicked()
{
    const qint64 value = spreadFieldValue(ui->Settings_edit_spreiz->text()) - kSpreadStep;
    ui->Settings_edit_spreiz->setText(QString::number(std::max<qint64>(value, kSpreadMin)));
}

void MainWindow::Settings_spreizp_btn_clicked()
{
    const qint64 value = spreadFieldValue(ui->Settings_edit_spreiz->text()) + kSpreadStep;
    ui->Settings_edit_spreiz->setText(QString::number(std::min<qint64>(value, kSpreadMax)));
}

void MainWindow::Settings_senden_btn_clicked()
{
    const QString manual = QString::number(manualNumber());
    queueCommand(QStringLiteral("smn") + manual, Send, 0);

    // Written back so that the technician sees exactly what was sent.
    const QString spread = twoDigitValue(ui->Settings_edit_spreiz->text());
    ui->Settings_edit_spreiz->setText(spread);
    queueCommand(QStringLiteral("ss") + manual + spread, Send, 0);

    const QString debounce = twoDigitValue(ui->Settings_edit_Entprellzeit->text());
    ui->Settings_edit_Entprellzeit->setText(debounce);
    queueCommand(QStringLiteral("sx") + manual + debounce, Send, 0);
}
