#include "UI/DiagnosticsExport/DiagnosticsStageRow.h"

#include "Platform/Symbols/SymbolImage.h"
#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>
#include <QPainter>

// The check mark of a finished stage, or the empty circle of one to come.
class DiagnosticsStageRow::Mark : public QWidget {
public:
    Mark() : checkMark_(SymbolImage::named(QStringLiteral("checkmark.circle.fill"), 11)) {
        setFixedSize(11, 11);
    }

    void setFinished(bool finished) {
        isFinished_ = finished;
        update();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (isFinished_) {
            if (checkMark_) {
                checkMark_->paint(painter, rect(), DiagnosticsExportTheme::accent());
            }
            return;
        }
        painter.setPen(QPen(withOpacity(NamedColors::white, 0.3), 1.2));
        painter.drawEllipse(QRectF(rect()).adjusted(0.6, 0.6, -0.6, -0.6));
    }

private:
    std::optional<SymbolImage> checkMark_;
    bool isFinished_ = false;
};

DiagnosticsStageRow::DiagnosticsStageRow(const QString& title, QWidget* parent)
    : QWidget(parent), mark_(new Mark),
      title_(new OneLineLabel(title, SystemFont::font(12, QFont::Medium),
                              DiagnosticsExportTheme::secondaryText())) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(7);
    layout->addWidget(mark_, 0, Qt::AlignVCenter);
    layout->addWidget(title_, 1, Qt::AlignVCenter);
}

void DiagnosticsStageRow::setFinished(bool finished) {
    if (finished == isFinished_) {
        return;
    }
    isFinished_ = finished;
    mark_->setFinished(finished);
    title_->setColor(finished ? DiagnosticsExportTheme::primaryText()
                              : DiagnosticsExportTheme::secondaryText());
}
