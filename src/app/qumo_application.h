// The application object: an exception that escapes an event handler is
// shown to the user and the program goes on, the handler's remaining steps
// skipped.
#pragma once

#include <QApplication>
#include <functional>

class QumoApplication : public QApplication
{
    Q_OBJECT

public:
    QumoApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows an exception's message in the program's error box.
    static void showException(const char *what);
    // Runs `deliver`; an exception it throws is shown (once while its box
    // is up) and gives false.
    static bool Dispatch(const std::function<bool()> &deliver);
};
