#pragma once

#include "Core/AppUpdateModels.h"

#include <functional>

#include <QWidget>

class LineLimitedLabel;
class OneLineLabel;
class PopoverPushButton;

// The offered update on a blue card: "Update available: <version>", its
// release notes on at most two lines when there are any, and Download.
class UpdateAvailableCard : public QWidget {
    Q_OBJECT
public:
    UpdateAvailableCard(const AvailableUpdate& update, std::function<void()> onDownload,
                        QWidget* parent = nullptr);

    void setUpdate(const AvailableUpdate& update);

    OneLineLabel* headerLabel() const { return header_; }
    LineLimitedLabel* releaseNotesLabel() const { return notes_; }
    PopoverPushButton* downloadButton() const { return download_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OneLineLabel* header_;
    LineLimitedLabel* notes_;
    PopoverPushButton* download_;
};
