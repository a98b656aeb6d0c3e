#ifndef WINDOWFACTORY_H
#define WINDOWFACTORY_H

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <memory>

#include "dialoglogin.h"
#include "mainwindow.h"

// The one place where the shell tests construct MainWindow.
//
// The constructor runs the login dialog in a nested event loop and then connects
// to the address it returns. These tests need no master module, so the dialog is
// answered with an empty address: the window reports the empty host and makes no
// connection attempt. Its connect time-out (MainWindow::kConnectTimeoutMs) still
// runs and would end the process, so a window from here must not outlive a test
// that spins the event loop that long.
inline std::unique_ptr<MainWindow> makeWindow()
{
    QTimer answerer;
    answerer.setInterval(5);
    QObject::connect(&answerer, &QTimer::timeout, [] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<DialogLogin *>(widget);
            if (!dialog || !dialog->isVisible())
                continue;
            // Through the field, not a preset: a catalogue may rename the presets.
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEditIP"))->clear();
            dialog->accept();
        }
    });
    answerer.start();
    auto window = std::make_unique<MainWindow>();
    if (!window->currentLoginData().host.isEmpty())
        qFatal("the login dialog was not answered with an empty address");
    return window;
}

#endif // WINDOWFACTORY_H
