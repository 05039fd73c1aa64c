#pragma once

#include <QPlainTextEdit>

// A multi-line text box, not bound: at most maxLength() characters counting a line break as
// CR LF, only characters the archive's code page holds (others become their base letter or are
// refused with a beep), a vertical scroll bar, Enter left to the window (it starts no new line).
// Line breaks that arrive by pasting stay in the text.
class MemoEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit MemoEdit(QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length);

    // What the box shows, CR LF between lines, no line break added at the end.
    QString text() const;
    // Every line break becomes one; the text is cut to maxLength().
    void setText(const QString &text);

    // Characters the text would count with CR LF line breaks.
    static qsizetype countedLength(const QString &plain);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    // What of plain may go in: characters of the code page only (a beep for any refused), cut
    // to the room left.
    QString fitted(const QString &plain) const;
    void insertLimited(const QString &plain);
    qsizetype roomFor() const;

    int m_maxLength = 0;
};
