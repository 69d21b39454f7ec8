#pragma once

#include <array>
#include <string>
#include <string_view>

// One message of the table: its key ("MSG_STOP"), its text, and whether the slot is taken.
struct MessageSlot {
    std::string Name;
    std::string Message;
    bool Used = false;
};

// The program's texts: the message table that every subsystem asks for its message-box texts,
// status lines and titles, and the translation of windows through the language file.
class clsLanguages {
  public:
    static constexpr std::size_t kMessageSlotCount = 201;

    // Message table (message_table.cpp). Keys are compared without letter case; the lowest slot
    // holding a key wins, so a key registered twice keeps its first text.

    // Stores key and text in the lowest free slot. With every slot taken nothing changes.
    void setMessage(std::string_view strName, std::string_view strMessage);
    // The text of the key with its first character upper-cased, placeholders such as
    // "[ProgramName]" left as they stand; the empty text for a key no slot holds.
    std::string getMessages(std::string_view strName) const;
    // Registers the built-in English texts, in their fixed order.
    void LoadDefaultMessages();

    // Translation through the language file is declared here, beside the table it rewrites.

  private:
    // The slot holding the key, or nullptr.
    const MessageSlot* FindMessageSlot(std::string_view strName) const;

    std::array<MessageSlot, kMessageSlotCount> messageSlots_;
};
