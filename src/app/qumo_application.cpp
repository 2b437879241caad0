#include "qumo_application.h"

#include <QMessageBox>
#include <exception>
#include <new>

QumoApplication::QumoApplication(int &argc, char **argv) : QApplication(argc, argv) {}

void QumoApplication::showException(const char *what)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("QUMOEDIT"), QString::fromLocal8Bit(what),
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ExceptionBox"));
    box.exec();
}

bool QumoApplication::Dispatch(const std::function<bool()> &deliver)
{
    // An exception thrown again while its box is up is not shown twice.
    static bool showing = false;
    QByteArray what;
    try {
        return deliver();
    } catch (const std::bad_alloc &) {
        what = "メモリが足りません。";
    } catch (const std::exception &error) {
        what = error.what();
    }
    if (!showing) {
        showing = true;
        showException(what.constData());
        showing = false;
    }
    return false;
}

bool QumoApplication::notify(QObject *receiver, QEvent *event)
{
    return Dispatch([&] { return QApplication::notify(receiver, event); });
}
