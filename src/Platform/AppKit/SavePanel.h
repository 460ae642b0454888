#pragma once

#include "Platform/AppKit/SavePanelPresenting.h"

// A free-standing, non-modal file-save dialog that starts in the user's
// documents folder; each call opens a new one, which deletes itself when
// closed.
class SavePanel final : public SavePanelPresenting {
public:
    void begin(const SavePanelConfiguration& configuration, Completion completion) override;
};
