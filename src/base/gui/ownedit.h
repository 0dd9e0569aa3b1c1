#pragma once

// Counts a window's own edits of the document while their handling runs, so that the change
// signal they cause does not write the window's boxes back over what the user is typing.

namespace cockpix {

class OwnEdit {
public:
    explicit OwnEdit(int& count) : m_count(count) { ++m_count; }
    ~OwnEdit() { --m_count; }
    OwnEdit(const OwnEdit&) = delete;
    OwnEdit& operator=(const OwnEdit&) = delete;

private:
    int& m_count;
};

} // namespace cockpix
