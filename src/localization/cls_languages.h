#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace forms {
class Form;
}

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

    // Translation through the language file, Localization.xml in the program folder
    // (form_translation.cpp).

    // Loads the group of the language and gives the window's controls and the message table the
    // texts it holds; what it lacks keeps its text. A language the file lacks keeps the group
    // loaded last in force, or on the first load falls back to "English". Reports nothing.
    void ChangeLanguage(forms::Form& myForm, std::string_view strLang);
    // The same for a window that holds child windows.
    void ChangeLanguageMDI(forms::Form& myForm, std::string_view strLang);
    // Whether a search that includes hidden and system files finds the file; false on failure.
    bool LangFileExists(std::string_view asPath) const;
    // The part of the path after its last "\".
    static std::string LangTrimPath(std::string_view asPath);
    // Always the empty text; the language chooser lists the languages itself.
    std::string ListLanguages() const;

    // Writes Localization.txt into the program folder: a language file with the one group
    // "English" holding every translatable text of the loaded windows and every message, as they
    // read now (translation_template.cpp). loadSecondaryForms, when given, first loads the windows
    // that are not loaded at that time so that their texts are listed too.
    void makeLocalizationFile(const std::function<void()>& loadSecondaryForms = {});

  private:
    // The slot holding the key, or nullptr.
    const MessageSlot* FindMessageSlot(std::string_view strName) const;

    // Makes gCurrentLanguage the language and, when the language file has its group, makes that
    // group's item lines the ones in force.
    void LoadLanguageItems(std::string_view strLang);
    // The text of the key in the group in force, the product's names in place of the
    // placeholders and the first character upper-cased; "" when the group lacks the key.
    std::string GetTranslation(std::string_view key) const;
    void TranslateControls(forms::Form& myForm) const;
    void TranslateMessages();

    std::array<MessageSlot, kMessageSlotCount> messageSlots_;
    // The item lines of the group loaded last; none before the first successful load.
    std::vector<std::string> itemLines_;
};
