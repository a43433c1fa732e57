#include "group_rows.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace pellomarin {

GroupRows::GroupRows(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(std::max(0, style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing)));
}

QWidget* GroupRows::addGroup() {
    // A group's widgets are spaced as the row spaces the groups.
    auto* group = new QWidget(this);
    group->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(0, 0, 0, 0);
    groups.push_back(group);
    return group;
}

void GroupRows::setGroupShown(QWidget* group, bool shown) {
    group->setHidden(!shown);
    updateGeometry();
    arrange(width());
}

int GroupRows::horizontalSpacing() const {
    return std::max(0, style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, this));
}

std::vector<int> GroupRows::rowsFor(int width) const {
    // Between two groups on a row: the spacing and a spacer at least 1 wide,
    // so that one row needs just its natural width.
    const int gap = horizontalSpacing() + 1;
    std::vector<int> result(groups.size(), -1);
    int row = 0;
    int used = -gap;  // the first group of a row follows no gap
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (groups[g]->isHidden())
            continue;
        const int needed = gap + groups[g]->sizeHint().width();
        if (used >= 0 && used + needed > width) {
            ++row;
            used = -gap;
        }
        used += needed;
        result[g] = row;
    }
    return result;
}

int GroupRows::heightOf(const std::vector<int>& rowOfGroup) const {
    int rowHeight = 0;
    for (const QWidget* group : groups)
        rowHeight = group->isHidden() ? rowHeight : std::max(rowHeight, group->sizeHint().height());
    const int count = rowOfGroup.empty() ? 0 : *std::ranges::max_element(rowOfGroup) + 1;
    return count * rowHeight + std::max(0, count - 1) * layout()->spacing();
}

QSize GroupRows::sizeHint() const {
    const int gap = horizontalSpacing() + 1;
    int width = -gap;
    for (const QWidget* group : groups)
        width += group->isHidden() ? 0 : gap + group->sizeHint().width();
    return {std::max(0, width), heightOf(rows)};
}

QSize GroupRows::minimumSizeHint() const {
    int width = 0;
    for (const QWidget* group : groups)
        width = group->isHidden() ? width : std::max(width, group->sizeHint().width());
    return {width, heightOf(rows)};
}

void GroupRows::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange(width());
}

void GroupRows::arrange(int width) {
    std::vector<int> next = rowsFor(width);
    auto* column = static_cast<QVBoxLayout*>(layout());
    if (next == rows && column->count() > 0)
        return;
    rows = std::move(next);
    while (QLayoutItem* line = column->takeAt(0)) {
        while (QLayoutItem* item = line->layout()->takeAt(0))
            delete item;  // a spacer, or the item of a group that stays
        delete line;
    }
    // The spacers share a row's spare width; a group alone keeps to the left.
    const auto spacer = [] { return new QSpacerItem(1, 0, QSizePolicy::Expanding); };
    QHBoxLayout* line = nullptr;
    int lineRow = -1;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (rows[g] < 0)
            continue;  // hidden: in no row
        if (rows[g] != lineRow) {
            lineRow = rows[g];
            if (line && line->count() == 1)
                line->addSpacerItem(spacer());
            line = new QHBoxLayout;
            line->setSpacing(horizontalSpacing());
            column->addLayout(line);
        } else {
            line->addSpacerItem(spacer());
        }
        line->addWidget(groups[g]);
    }
    if (line && line->count() == 1)
        line->addSpacerItem(spacer());
}

}  // namespace pellomarin
