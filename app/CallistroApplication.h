#pragma once

#include <QApplication>
#include <functional>

// The application object: an error that escapes any handler ends in the standard error box,
// and the program goes on.
class CallistroApplication : public QApplication
{
    Q_OBJECT

public:
    CallistroApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Runs work, showing whatever it throws in the standard error box.
    static void guarded(const std::function<void()> &work);
};
