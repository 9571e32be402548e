#pragma once

#include "window/colors.h"

#include <QComboBox>
#include <QStringList>

namespace quorvel {

// A drop-down list the user can only pick from. Filling it picks nothing and signals
// nothing; its text is empty until an item is picked; setting its text to an item picks that
// item, and picked() is emitted, at once, exactly when the pick changes (by user or code).
class PickList : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(quint32 backColor READ backColor WRITE setBackColor)

public:
    explicit PickList(QWidget* parent = nullptr);

    void clearItems();
    void addItemText(const QString& text);
    void insertItemText(int index, const QString& text);
    void removeItemText(const QString& text);
    QStringList items() const;

    QString text() const { return currentText(); }
    // A text that is no item picks nothing and leaves the list as it is.
    void setText(const QString& text);

    ColorValue backColor() const { return backColor_; }
    void setBackColor(ColorValue value);

    // The open list is at least as wide as its widest item, with room for its scroll bar;
    // the closed list keeps its size.
    void showPopup() override;

signals:
    void picked();

protected:
    // Only a list the user is working in takes the wheel: one the pointer merely passes over
    // leaves the wheel to the window and its pick unchanged.
    void wheelEvent(QWheelEvent* event) override;

private:
    template <typename Change>
    void quietly(Change change);

    bool quiet_ = false;
    ColorValue backColor_ = 0;
};

} // namespace quorvel
