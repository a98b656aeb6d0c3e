#ifndef WINDOWFACTORY_H
#define WINDOWFACTORY_H

#include <memory>

#include "mainwindow.h"

// The one place where the shell tests construct MainWindow. The constructor is to
// run the login dialog and connect to the master module; whatever must answer the
// dialog or stand in for the master belongs here, not in the tests.
inline std::unique_ptr<MainWindow> makeWindow()
{
    return std::make_unique<MainWindow>();
}

#endif // WINDOWFACTORY_H
