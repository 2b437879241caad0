#include "qumo_application.h"

#include <QMessageBox>
#include <exception>
#include <new>

QumoApplication::QumoApplication(int &argc, char **argv) : QApplication(argc, argv) {}

void QumoApplication::ShowException(const char *what)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("QUMOEDIT"), QString::fromLocal8Bit(what),
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ExceptionBox"));
    box.exec();
}

bool QumoApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc &) {
        if (!showing_) {
            showing_ = true;
            ShowException("メモリが足りません。");
            showing_ = false;
        }
    } catch (const std::exception &error) {
        // An exception thrown again while its box is up is not shown twice.
        if (!showing_) {
            showing_ = true;
            ShowException(error.what());
            showing_ = false;
        }
    }
    return false;
}
