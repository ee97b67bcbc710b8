#pragma once

#include <string>

namespace pyrostat {

// The system clipboard, as text (UTF-8).
class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void Clear() = 0;
};

// A clipboard that lives in memory: the command-line tools and the tests use it.
class MemoryClipboard : public ClipboardService {
public:
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    void Clear() override { text_.clear(); }

private:
    std::string text_;
};

} // namespace pyrostat
