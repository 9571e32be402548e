#pragma once

#include <QLabel>

namespace quorvel {

// A label that acts as a link: a left click, or Enter or Space while it has the focus,
// activates it. Assistive technology knows it as a link, named by the address it shows.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Draws the focus frame while the link has the keyboard focus.
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quorvel
