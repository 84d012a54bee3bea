// Who hears of the document's changes, and for how long.
//
// A listener hears for as long as the connection it was given lives: the
// connection ends itself when it goes out of scope, so a listener destroyed
// without a word is never called. Who listens may change while a notice is
// being heard: a listener disconnected then hears nothing more, and one
// connected then hears only later notices. A listener that throws keeps
// neither the others from hearing nor the document from finishing its
// change; the first such error reaches whoever made the change, once the
// change is complete.
#pragma once

#include "core/document/grid_numbers.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace dravik {

// What a listener hears. Grid coordinates, bounds included.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    virtual void cellsChanged(GridNumber /*grid*/, int /*firstCol*/, int /*firstRow*/, int /*lastCol*/, int /*lastRow*/) {}
    // Rows and columns come and go at a grid's end: `first` to `last` are
    // the ones added after the last, or the last ones taken away. While "about
    // to" is heard the grid still has its old size; afterwards, the new one.
    // Cells written along with a new size are told of after it.
    virtual void rowsAboutToBeInserted(GridNumber /*grid*/, int /*first*/, int /*last*/) {}
    virtual void rowsInserted(GridNumber /*grid*/, int /*first*/, int /*last*/) {}
    virtual void rowsAboutToBeRemoved(GridNumber /*grid*/, int /*first*/, int /*last*/) {}
    virtual void rowsRemoved(GridNumber /*grid*/, int /*first*/, int /*last*/) {}
    virtual void columnsAboutToBeInserted(GridNumber /*grid*/, int /*first*/, int /*last*/) {}
    virtual void columnsInserted(GridNumber /*grid*/, int /*first*/, int /*last*/) {}
    virtual void columnsAboutToBeRemoved(GridNumber /*grid*/, int /*first*/, int /*last*/) {}
    virtual void columnsRemoved(GridNumber /*grid*/, int /*first*/, int /*last*/) {}
    virtual void descTextChanged() {}
    virtual void variablesTextChanged() {}
    virtual void currentDescFileChanged() {}
    // Whether the tables differ from the files on disk.
    virtual void modifiedChanged(bool /*modified*/) {}
    // What the grid's cells hold on disk changed: a load or a save.
    virtual void diskValuesChanged(GridNumber /*grid*/) {}
    // The edit history changed: a step done, undone, redone or dropped, or
    // the clean point moved (edit_history.h, to whose listeners it is told).
    virtual void historyChanged() {}
};

class ListenerList;

// A listener's hold on the document; disconnects when destroyed. It may
// outlive the document, and then does nothing.
class [[nodiscard]] DocumentConnection {
public:
    DocumentConnection() = default;
    DocumentConnection(DocumentConnection&& other) noexcept;
    DocumentConnection& operator=(DocumentConnection&& other) noexcept;
    DocumentConnection(const DocumentConnection&) = delete;
    DocumentConnection& operator=(const DocumentConnection&) = delete;
    ~DocumentConnection() { disconnect(); }

    void disconnect();
    bool connected() const;

private:
    friend class ListenerList;
    struct State;
    DocumentConnection(std::weak_ptr<State> list, std::uint64_t id) : list_(std::move(list)), id_(id) {}

    std::weak_ptr<State> list_;
    std::uint64_t id_ = 0;
};

// The listeners in the order they connected, each notice heard by every one.
class ListenerList {
public:
    ListenerList();
    ListenerList(const ListenerList&) = delete;
    ListenerList& operator=(const ListenerList&) = delete;

    DocumentConnection connect(DocumentListener& listener);

    // Notices heard as one: listeners disconnected meanwhile are dropped, and
    // those connected meanwhile join, when the outermost one ends.
    class Notice {
    public:
        explicit Notice(ListenerList& list);
        Notice(const Notice&) = delete;
        Notice& operator=(const Notice&) = delete;
        // Ending without `end`: the change failed on its own, and its error
        // is the one to report, not a listener's.
        ~Notice();
        // Throws the first error a listener threw, when this is the
        // outermost notice.
        void end();

    private:
        ListenerList& list_;
        bool ended_ = false;
    };

    // `call(listener)` for every listener taking part. It is one notice of
    // its own: outside any other, a listener's error is thrown after every
    // listener has heard.
    template <typename Call>
    void notify(const Call& call);

    bool notifying() const;

private:
    void leave(bool throwError);
    DocumentListener* listenerAt(size_t index) const;
    size_t size() const;
    void keep(std::exception_ptr error);

    std::shared_ptr<DocumentConnection::State> state_;
};

template <typename Call>
void ListenerList::notify(const Call& call)
{
    Notice notice(*this);
    // By index: a listener may connect another, which moves the list.
    for (size_t i = 0; i < size(); ++i) {
        if (DocumentListener* listener = listenerAt(i)) {
            try {
                call(*listener);
            } catch (...) {
                keep(std::current_exception());
            }
        }
    }
    notice.end();
}

}  // namespace dravik
