#include "app/SchemeDialog.h"

#include "app/Dialogs.h"
#include "chart/DrawContext.h"
#include "ui/PainterSurface.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace app {

namespace {

constexpr int kPreviewWidth = 260;
constexpr int kPreviewHeight = 70;

QFont toQFont(const settings::SchemeFont& f) {
    QFont q;
    if (!f.faceName.empty())
        q.setFamily(QString::fromStdString(f.faceName));
    q.setPixelSize(std::max(1, std::abs(f.height)));
    if (f.weight > 0)
        q.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
    q.setItalic(f.italic != 0);
    q.setUnderline(f.underline != 0);
    q.setStrikeOut(f.strikeOut != 0);
    return q;
}

// The chosen font over the current one: the fields the chooser does not know are kept, and
// so is the kind of height (cell or character).
settings::SchemeFont fromQFont(const QFont& q, settings::SchemeFont base) {
    base.faceName = q.family().toStdString();
    const int pixels =
        q.pixelSize() > 0 ? q.pixelSize() : std::max(1, static_cast<int>(q.pointSizeF() * 96 / 72));
    base.height = base.height < 0 ? -pixels : pixels;
    base.weight = q.weight();
    base.italic = q.italic() ? 1 : 0;
    base.underline = q.underline() ? 1 : 0;
    base.strikeOut = q.strikeOut() ? 1 : 0;
    return base;
}

// Draws a preview as the chart would: on the view's background, through the chart's surface.
QPixmap drawPreview(const settings::SchemePreview& p) {
    QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    {
        ui::PainterSurface surface(image);
        const int w = surface.width();
        const int h = surface.height();
        surface.fillRect({0, 0, w, h}, chart::toColour(p.background));
        if (p.line) {
            surface.setPen(chart::toPen(*p.line));
            surface.line(12, h / 2, w - 12, h / 2);
        }
        int x = 12;
        if (p.mark) {
            surface.setPen({chart::PenStyle::Solid, 1, chart::toColour(*p.mark)});
            surface.setBrush(chart::Brush::none());
            surface.ellipse({x, h / 2 - 5, x + 11, h / 2 + 6});
            x += 20;
        }
        if (!p.text.empty()) {
            surface.setFont(chart::toFont(p.font));
            surface.setTextColour(chart::toColour(p.textColor));
            surface.setTransparentBackground(true);
            surface.setTextAlign(chart::kLeftTop);
            const chart::Size extent = surface.textExtent(p.text);
            surface.text(x, (h - extent.height) / 2, p.text);
        }
    }
    return QPixmap::fromImage(image);
}

QLabel* previewFrame(QWidget* parent) {
    auto* frame = new QLabel(parent);
    frame->setFixedSize(kPreviewWidth + 4, kPreviewHeight + 4);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setAlignment(Qt::AlignCenter);
    return frame;
}

constexpr int kNodeRole = Qt::UserRole;

} // namespace

SchemeDialog::SchemeDialog(QWidget* parent, settings::ColorScheme& scheme)
    : QDialog(parent), m_model(scheme), m_tree(new QTreeWidget(this)),
      m_current(previewFrame(this)), m_default(previewFrame(this)),
      m_setDefault(new QPushButton(settings::SchemeDialogModel::kSetToDefault, this)),
      m_change(new QPushButton(settings::SchemeDialogModel::kChange, this)) {
    using M = settings::SchemeDialogModel;
    setWindowTitle(M::kTitle);
    adorn(this);

    m_tree->setHeaderHidden(true);
    m_tree->setMinimumWidth(260);
    const auto& nodes = m_model.nodes();
    std::vector<QTreeWidgetItem*> items(nodes.size(), nullptr);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const QString text = QString::fromStdString(nodes[i].text);
        QTreeWidgetItem* item =
            nodes[i].parent < 0
                ? new QTreeWidgetItem(m_tree, QStringList{text})
                : new QTreeWidgetItem(items[static_cast<std::size_t>(nodes[i].parent)],
                                      QStringList{text});
        item->setData(0, kNodeRole, static_cast<int>(i));
        items[i] = item;
    }

    auto* close = new QPushButton(M::kClose, this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_tree, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(M::kCurrentLabel, this));
    right->addWidget(m_current);
    right->addWidget(new QLabel(M::kDefaultLabel, this));
    right->addWidget(m_default);
    right->addStretch(1);
    right->addWidget(m_setDefault);
    right->addWidget(m_change);
    right->addWidget(close);
    layout->addLayout(right);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { showPreviews(); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (selectedLeaf() >= 0)
            changeSelected();
    });
    connect(m_change, &QPushButton::clicked, this, [this] { changeSelected(); });
    connect(m_setDefault, &QPushButton::clicked, this, [this] { setSelectedToDefault(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    close->setDefault(true);
    showPreviews();
}

int SchemeDialog::selectedLeaf() const {
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return -1;
    const int node = item->data(0, kNodeRole).toInt();
    return settings::SchemeDialogModel::leafAt(node) ? node : -1;
}

void SchemeDialog::selectNode(int node) {
    QTreeWidgetItemIterator it(m_tree);
    for (; *it; ++it) {
        if ((*it)->data(0, kNodeRole).toInt() == node) {
            m_tree->setCurrentItem(*it);
            return;
        }
    }
}

void SchemeDialog::changeSelected() {
    const int node = selectedLeaf();
    if (m_model.choosesColour(node)) {
        const settings::SchemeColor c =
            m_model.currentColour(node).value_or(settings::SchemeColor{});
        const QColor chosen = QColorDialog::getColor(QColor(c.r, c.g, c.b), this);
        if (chosen.isValid())
            m_model.changeColour(node, {chosen.red(), chosen.green(), chosen.blue()});
    } else if (m_model.choosesFont(node)) {
        const auto value = m_model.current(node);
        const settings::SchemeFont base = std::get<settings::SchemeFont>(*value);
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, toQFont(base), this);
        if (ok)
            m_model.changeFont(node, fromQFont(chosen, base));
    }
    showPreviews();
}

void SchemeDialog::setSelectedToDefault() {
    m_model.setToDefault(selectedLeaf());
    showPreviews();
}

void SchemeDialog::showPreviews() {
    const int node = selectedLeaf();
    const auto current = m_model.currentPreview(node);
    const auto byDefault = m_model.defaultPreview(node);
    if (current && byDefault) {
        m_current->setPixmap(drawPreview(*current));
        m_default->setPixmap(drawPreview(*byDefault));
    } else {
        m_current->clear();
        m_default->clear();
    }
    m_setDefault->setEnabled(node >= 0);
    m_change->setEnabled(node >= 0);
}

bool runSchemeDialog(QWidget* parent, settings::ColorScheme& scheme) {
    SchemeDialog dialog(parent, scheme);
    dialog.exec();
    return dialog.model().changed();
}

} // namespace app
