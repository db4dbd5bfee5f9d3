#pragma once

// The banner across the top of the main window: the program icon and name on a dark
// strip (`imgTop`), over two coloured lines.

#include <QWidget>

class BannerPanel : public QWidget
{
    Q_OBJECT

public:
    explicit BannerPanel(QWidget* parent = nullptr);
};
