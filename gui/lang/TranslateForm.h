#pragma once

#include <QString>

class QWidget;

// Rewrites a form's texts from its section of a language file.
//
// The section is the form's name: its class name without the leading T ("fMainFrm" for
// TfMainFrm), or its object name when the class carries no such name. Keys are built from
// object names: "<form>.Caption" for the window title, "<control>.Caption" for the text of
// a label, action, menu, push button, tool button, check box, radio button, group box or
// tab page, "<control>.Hint" for the tool tip of an action, menu or tool button, and
// "<control>.<N>" for item N of a combo box or list widget (from 0) or the heading of
// table column N (from 1). A missing file, section or key leaves the text as it is.
//
// The dynamic property "tag" marks lists: -2 leaves the items of a table, combo box or
// list widget alone; -3 on a combo box translates its item 0 only. Combo box items are
// translated only when withItems is set; list widget items always. The selected item of a
// combo box stays selected.
//
// Windows that are forms of their own (dialogs, document windows) are not walked into,
// even when they are children of this form.
void TranslateForm(QWidget *form, const QString &langName, bool withItems);

// The section a form's texts live in.
QString FormSectionName(const QWidget *form);
