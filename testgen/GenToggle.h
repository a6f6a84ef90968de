#pragma once

#include <QAbstractButton>

// The upright button between the input columns and the output columns: two
// labels, the signal generator above and the inputs below. Checked, the
// inputs are highlighted (the input columns are shown); unchecked, the
// generator is. A click only emits clicked(); the owner sets the state.
class CGenToggle : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CGenToggle(QWidget* parent = nullptr);

    // The two labels and what a screen reader calls the button.
    void SetTexts(const QString& generator, const QString& input, const QString& name);
    // The label that is highlighted now.
    QString ValueText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;
    void checkStateSet() override;

private:
    void UpdateTexts();

    QString m_szGenerator;
    QString m_szInput;
    QString m_szName;
};
