#pragma once

#include "Control.h"

namespace fw {

// A push button with a caption; pressing it raises Action.
class BevelButton : public RectControl {
public:
    static const ClassRecord& Lookup();

    String Caption() const { return caption_; }
    void SetCaption(const String& caption);

    void ViewPressed();

private:
    String caption_;
};

using BevelButtonRef = std::shared_ptr<BevelButton>;

} // namespace fw
