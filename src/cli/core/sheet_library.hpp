#pragma once
// A drug library as a spreadsheet fills and reads it, one editor's kind: the
// drug page's fields from its page table, and a drug page that is a typed
// record behind them, shown, picked, typed, ticked and confirmed with the
// editor's own rules. The spreadsheet's export and import know nothing else
// of the kinds.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/core/page_table.hpp"

namespace mc::cli {

enum class SheetKind { Release041, Release036, Us };

class SheetLibrary {
public:
    virtual ~SheetLibrary() = default;

    virtual const PageTable& fields() const = 0;  // the drug page's, in page order
    virtual int departments() const = 0;          // named on the department page
    virtual int enabledDepartments() const = 0;   // that a drug can be enabled in
    virtual int maxDrugs() const = 0;
    virtual bool appends() const = 0;             // entries 1..count, not numbered slots
    virtual int departmentNameLength() const = 0;
    virtual int macroNameLength() const = 0;      // what the Save page takes

    // The library of a file its editor's reader accepts; the drugs a spreadsheet lists.
    virtual void read(std::string_view bytes) = 0;
    virtual std::vector<int> drugs() const = 0;
    virtual std::string departmentName(int d) const = 0;  // as the department page shows it
    virtual void nameDepartment(int d, const std::string& name) = 0;

    // Shows drug n on the drug page: the drug stored there, or a new one.
    virtual void show(int n) = 0;
    virtual std::vector<std::string> offered(const std::string& list) const = 0;
    virtual bool shown(const std::string& control) const = 0;
    virtual std::string value(const std::string& control) const = 0;  // a box's text, a list's chosen entry
    virtual void choose(const std::string& list, int index) = 0;       // as picking it on the page
    virtual void type(const std::string& box, const std::string& text) = 0;
    virtual bool ticked(int department) const = 0;
    virtual void tick(int department, bool on) = 0;
    // The page's "OK": stores the drug shown when no rule fails; else each rule's message and field.
    virtual FieldMessages ok() = 0;

    // The file the editor's Save writes, and whether a file reads back as that library.
    virtual std::string bytes(const std::string& macroName) const = 0;
    virtual bool readsBack(std::string_view bytes, const std::string& macroName) const = 0;
};

std::unique_ptr<SheetLibrary> sheetLibrary(SheetKind kind);

}  // namespace mc::cli
