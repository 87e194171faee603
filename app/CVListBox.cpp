#include "app/CVListBox.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kSampleRole = Qt::UserRole;

// Draws a line's formula over the selection colour or the list's background.
class CFormulaDelegate final : public QStyledItemDelegate {
public:
    explicit CFormulaDelegate(CVListBox& list) : QStyledItemDelegate(&list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.button());
        MyWord& word = m_list.Word(index.row());
        word.SetColor(selected ? MakeRgb(255, 255, 255) : MakeRgb(0, 0, 0));
        m_list.Device().SetPainter(painter);
        PaintSymbols(m_list.Graphics(), word, m_list.Language(), option.rect.x() + CVListBox::kLineMargin / 2,
                     option.rect.y() + CVListBox::kLineMargin / 2);
        m_list.Device().SetPainter(nullptr);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        MyWord& word = m_list.Word(index.row());
        return {word.Width(m_list.Graphics()) + CVListBox::kLineMargin,
                word.Height(m_list.Graphics()) + CVListBox::kLineMargin};
    }

private:
    CVListBox& m_list;
};

} // namespace

CVListBox::CVListBox(QWidget* parent) : QListWidget(parent), m_device(viewport()), m_graphics(m_device) {
    setItemDelegate(new CFormulaDelegate(*this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QPalette colours = palette();
    colours.setBrush(QPalette::Base, colours.button());
    setPalette(colours);
}

CVListBox::~CVListBox() = default;

void CVListBox::Clear() {
    clear();
    m_words.clear();
}

void CVListBox::AddFormula(const std::string& displayText, int sample) {
    m_words.push_back(std::make_unique<MyWord>(displayText, kFontKindFormula, kFontHeight, MakeRgb(0, 0, 0)));
    auto* item = new QListWidgetItem(this);
    item->setData(kSampleRole, sample);
}

int CVListBox::SampleOf(int line) const {
    const QListWidgetItem* lineItem = item(line);
    return lineItem == nullptr ? -1 : lineItem->data(kSampleRole).toInt();
}
