#pragma once

#include <QLineEdit>

// The status block's port field. A long port name (a path under
// /dev/serial/by-id, a device server's address) is drawn with its start
// left out, so that its end, which names the adapter and its port or the
// server's address and port, stays in sight however narrow the field is. The text stays whole: the tip shows it, a copy takes it, and with
// the focus the field shows it as a line edit does, to be scrolled and
// selected.
class CPortField : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // What the field shows without the focus at its present width.
    QString Shown() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where a line edit puts its text: the contents less its margins of 2
    // pixels at either side.
    QRect TextRect() const;
};
