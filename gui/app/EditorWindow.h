#pragma once

// What the main window asks of its document windows (the channel grid, the channel edit
// form and the function windows). A document window implements the parts that apply to
// it; the main window finds them with dynamic_cast.
class TEditorWindow
{
public:
    virtual ~TEditorWindow() = default;

    // Reads every control again from the radio image.
    virtual void LoadFromImage() {}
    // The channel grid: reads the row of one channel (1-based) again.
    virtual void ReloadChannel(int channel) { (void)channel; }
    // The channel grid: ends an edit in progress in a cell (the in-cell editor and the
    // in-cell choice boxes), before any command runs.
    virtual void EndCellEditing() {}
};
