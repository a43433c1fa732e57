#pragma once

#include <QWidget>
#include <vector>

namespace pellomarin {

// Groups of widgets side by side on one row, spread over the width by spacers
// that share the spare width. Where the width is less than that row needs,
// the groups go on as many rows as needed, in order, each group kept together
// and as it is. A hidden group takes no room and no row. Main thread.
class GroupRows : public QWidget {
    Q_OBJECT

public:
    explicit GroupRows(QWidget* parent = nullptr);

    // One row, as wide as it needs; the least is the widest group, on as many
    // rows as the current width needs.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // A new group at the end: its widgets go into its horizontal layout.
    QWidget* addGroup();
    // Shows or hides one of the groups, and lays the rows out again.
    void setGroupShown(QWidget* group, bool shown);
    // Lays the groups out on the rows this width needs.
    void arrange(int width);
    void resizeEvent(QResizeEvent* event) override;

private:
    // For each group, the row it goes on at this width; -1 for a hidden one.
    std::vector<int> rowsFor(int width) const;
    int heightOf(const std::vector<int>& rowOfGroup) const;
    int horizontalSpacing() const;

    std::vector<QWidget*> groups;
    std::vector<int> rows;  // as laid out
};

}  // namespace pellomarin
