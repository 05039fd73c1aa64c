#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's modal boxes: the standard error box, the plain message box and the confirmation
// box. Each shows the real QMessageBox unless a test has put in its own answerer.
class MessageBoxes
{
public:
    enum class Kind { Error, Plain, Confirmation };
    enum class Answer { Ok, Yes, No };
    using Answerer = std::function<Answer(Kind kind, const QString &caption, const QString &text)>;

    // Stop icon, OK; a full stop is added unless the text ends in one.
    static void showError(const QString &text, QWidget *parent = nullptr);
    // No icon, OK.
    static void showMessage(const QString &text, QWidget *parent = nullptr);
    // Question icon, caption "Confirm", Yes (the default) and No (also Esc); true for Yes.
    static bool confirm(const QString &text, QWidget *parent = nullptr);
    // The same box under a caption of its own.
    static bool confirm(const QString &text, const QString &caption, QWidget *parent);

    // The executable's file name up to its first full stop, every letter after the first in
    // lower case: the caption of the error and the plain box.
    static QString applicationTitle();
    static QString titleFromExecutable(const QString &fileName);
    static QString withFullStop(const QString &text);

    // For tests: answers every box instead of showing it; an empty answerer restores the real boxes.
    static void setAnswerer(Answerer answerer);

private:
    static Answer show(Kind kind, const QString &caption, const QString &text, QWidget *parent);
};
