#pragma once

// Apple events addressed to another application by its signature.

#include "Runtime.h"
#include "Text.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace fw {

// A four-character code: the four bytes of the text as one value, the first
// in the most significant byte; nothing unless the text is exactly four bytes.
std::optional<std::uint32_t> FourCharCode(const String& text);
String FourCharCodeText(std::uint32_t code);

class AppleEvent : public Object {
public:
    static const ClassRecord& Lookup();

    std::uint32_t EventClass() const { return eventClass_; }
    std::uint32_t EventID() const { return eventID_; }
    std::uint32_t Signature() const { return signature_; }

    // False when the event was not delivered.
    bool Send();

private:
    friend std::shared_ptr<AppleEvent> NewAppleEvent(const String&, const String&, const String&);
    std::uint32_t eventClass_ = 0;
    std::uint32_t eventID_ = 0;
    std::uint32_t signature_ = 0;
};

// Nil when any of the three texts is not a four-character code.
std::shared_ptr<AppleEvent> NewAppleEvent(const String& eventClass, const String& eventID,
                                          const String& signature);

} // namespace fw
