#pragma once

// The program's window listing a small folder, its list as the handlers see
// it, and nothing yet in the journal:
//   0 More/ (d.jsx, e.js)   1 Tools/ (a.jsx, b.scpt, c.js)   2 x.jsx

#include "support/ProgramFixture.h"

namespace fwtest {

class ListedFolder : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        folder = Make({"L/", "L/Tools/a.jsx", "L/Tools/b.scpt", "L/Tools/c.js", "L/x.jsx", "L/More/d.jsx",
                       "L/More/e.js"});
        window = Start();
        window->gMyScriptFolder = fw::GetFolderItem(folder);
        window->setLB1();
        list = window->LB1();
        platform->journal.clear();
        platform->messages.clear();
    }

    // As the view reports a double-click: the row under the pointer, then the click.
    void DoubleClickRow(std::int32_t row)
    {
        list->ViewSelected(row);
        list->ViewDoubleClicked();
    }

    std::string folder;
    std::shared_ptr<class Window1> window;
    fw::ListboxRef list;
};

} // namespace fwtest
