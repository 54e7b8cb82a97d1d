#pragma once
// Which Qt dialog shows which dialog form. Each dialog adds one line to the list in
// dialog_registry.cpp: DialogFor<TheForm, TheDialog>(), where TheDialog has a
// constructor TheDialog(TheForm&, QWidget* parent) and accepts or rejects as the
// user closes it.

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "base/platform.h"

namespace vesko::ui {

// Makes the dialog of a form, or nothing when the form is not this factory's kind.
using DialogFactory = std::function<std::unique_ptr<QDialog>(CDialogForm&, QWidget* parent)>;

template <class Form, class Dialog>
DialogFactory DialogFor() {
    return [](CDialogForm& form, QWidget* parent) -> std::unique_ptr<QDialog> {
        if (auto* typed = dynamic_cast<Form*>(&form)) {
            return std::make_unique<Dialog>(*typed, parent);
        }
        return nullptr;
    };
}

const std::vector<DialogFactory>& DialogFactories();

}  // namespace vesko::ui
