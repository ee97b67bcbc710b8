#pragma once

#include "platform/ClipboardService.h"

namespace pyrostat {

// The system clipboard, as text.
class QtClipboard : public ClipboardService {
public:
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void Clear() override;
};

} // namespace pyrostat
