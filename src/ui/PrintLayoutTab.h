#pragma once

#include "PrintOptions.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QRadioButton;

// The print dialog's own tab 「レイアウト」: issues a sheet and the mail's cells. The position
// stays with the main window and passes through unchanged.
class PrintLayoutTab final : public QWidget
{
    Q_OBJECT

public:
    explicit PrintLayoutTab(const PrintOptions &options, QWidget *parent = nullptr);

    PrintOptions options() const;

    std::array<QRadioButton *, 3> layoutButtons{}; // single, two, large
    QCheckBox *cellsBox = nullptr;

private:
    PagePlacement m_placement;
};
