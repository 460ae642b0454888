#pragma once

// Whether the status icon's badge is drawn in colour.
class ColorfulIconSettingsProviding {
public:
    virtual ~ColorfulIconSettingsProviding() = default;
    virtual bool isColorfulIconEnabled() const = 0;
};
