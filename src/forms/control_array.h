#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "forms/errors.h"
#include "forms/form.h"

namespace forms {

// A control array: controls of one type sharing one name, told apart by their Index. The design
// elements are made with the array, so they take its place in the window's control order; Load
// adds elements at run time.
//
//     forms::ControlArray<forms::Menu> mnuFileItem{*this, "mnuFileItem", {0, 1, 2}};
//     mnuFileItem(0).SetCaption("Scan Now");
//     mnuFileItem.Wire([this](forms::Menu& item, int index) {
//         item.OnClick = [this, index] { mnuFileItem_Click(index); };
//     });
template <class T>
class ControlArray {
  public:
    ControlArray(Form& form, std::string name, std::initializer_list<int> designIndices = {})
        : form_(form), name_(std::move(name)) {
        for (int index : designIndices) {
            Create(index);
        }
    }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    const std::string& Name() const { return name_; }

    // A further design element (in the window's constructor).
    T& Add(int index) {
        T& element = Create(index);
        if (wiring_) {
            wiring_(element, index);
        }
        return element;
    }

    // A new element at run time: it takes every property of the lowest element but Visible, which
    // is false, and is announced to the form's observers. Throws InvalidPropertyValue when the
    // index is taken and IndexOutOfRange when the array has no element to copy.
    T& Load(int index) {
        const T& model = operator()(LBound());
        T& element = Create(index);
        static_cast<Control&>(element).CopyPropertiesFrom(model);
        loadedAtRunTime_.insert(index);
        if (wiring_) {
            wiring_(element, index);
        }
        form_.ControlJoined(element);
        return element;
    }

    // Load at the highest index plus one.
    T& LoadNext() { return Load(UBound() + 1); }

    // Removes an element loaded at run time; the design elements cannot be unloaded
    // (InvalidPropertyValue). Not from inside the element's own event.
    void Unload(int index) {
        if (!loadedAtRunTime_.contains(index)) {
            throw InvalidPropertyValue("element " + std::to_string(index) + " of " + name_ +
                                       " was not loaded at run time");
        }
        auto found = elements_.find(index);
        form_.ControlLeaving(*found->second);
        elements_.erase(found);
        loadedAtRunTime_.erase(index);
    }

    // The element with this index; IndexOutOfRange when there is none.
    T& operator()(int index) const {
        if (T* element = Find(index)) {
            return *element;
        }
        throw IndexOutOfRange("no element " + std::to_string(index) + " in " + name_);
    }
    T* Find(int index) const {
        auto found = elements_.find(index);
        return found == elements_.end() ? nullptr : found->second.get();
    }

    int Count() const { return static_cast<int>(elements_.size()); }
    // Lowest and highest index; IndexOutOfRange for an empty array.
    int LBound() const { return Bound(elements_.begin()); }
    int UBound() const { return Bound(elements_.rbegin()); }

    // The elements in index order.
    std::vector<T*> Elements() const {
        std::vector<T*> elements;
        for (const auto& entry : elements_) {
            elements.push_back(entry.second.get());
        }
        return elements;
    }

    // Wires the events of every element, those present and those loaded later.
    void Wire(std::function<void(T&, int)> wiring) {
        wiring_ = std::move(wiring);
        for (const auto& entry : elements_) {
            wiring_(*entry.second, entry.first);
        }
    }

  private:
    T& Create(int index) {
        if (elements_.contains(index)) {
            throw InvalidPropertyValue("element " + std::to_string(index) + " of " + name_ +
                                       " already exists");
        }
        auto element = std::make_unique<T>(form_, name_, index);
        T& created = *element;
        elements_.emplace(index, std::move(element));
        return created;
    }

    template <class Iterator>
    int Bound(Iterator position) const {
        if (elements_.empty()) {
            throw IndexOutOfRange(name_ + " has no elements");
        }
        return position->first;
    }

    Form& form_;
    std::string name_;
    std::map<int, std::unique_ptr<T>> elements_;
    std::set<int> loadedAtRunTime_;
    std::function<void(T&, int)> wiring_;
};

}  // namespace forms
