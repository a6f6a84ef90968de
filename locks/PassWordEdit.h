#pragma once

#include <QLineEdit>

// The password field: shows a mask for every character, holds at most six
// and takes only letters A-Z, a-z and digits; any other key or pasted
// character is ignored.
class CPassWordEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CPassWordEdit(QWidget* pParent = nullptr);
};
