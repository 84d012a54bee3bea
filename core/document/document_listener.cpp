#include "core/document/document_listener.h"

#include <algorithm>
#include <utility>

namespace dravik {

struct DocumentConnection::State {
    struct Entry {
        std::uint64_t id;
        DocumentListener* listener;  // null once disconnected during a notice
        bool joined;                 // false while it waits for the notice to end
    };
    std::vector<Entry> entries;
    std::uint64_t nextId = 1;
    int depth = 0;
    std::exception_ptr error;
};

DocumentConnection::DocumentConnection(DocumentConnection&& other) noexcept
    : list_(std::move(other.list_)), id_(std::exchange(other.id_, 0))
{
}

DocumentConnection& DocumentConnection::operator=(DocumentConnection&& other) noexcept
{
    if (this != &other) {
        disconnect();
        list_ = std::move(other.list_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

void DocumentConnection::disconnect()
{
    const std::shared_ptr<State> state = list_.lock();
    list_.reset();
    if (!state)
        return;
    auto& entries = state->entries;
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const State::Entry& e) { return e.id == id_; });
    if (entry == entries.end())
        return;
    // During a notice the list is being walked: the entry only goes quiet.
    if (state->depth > 0)
        entry->listener = nullptr;
    else
        entries.erase(entry);
}

bool DocumentConnection::connected() const
{
    const std::shared_ptr<State> state = list_.lock();
    return state && std::any_of(state->entries.begin(), state->entries.end(),
                                [&](const State::Entry& e) { return e.id == id_ && e.listener; });
}

ListenerList::ListenerList() : state_(std::make_shared<DocumentConnection::State>()) {}

DocumentConnection ListenerList::connect(DocumentListener& listener)
{
    const std::uint64_t id = state_->nextId++;
    state_->entries.push_back({id, &listener, state_->depth == 0});
    return DocumentConnection(state_, id);
}

ListenerList::Notice::Notice(ListenerList& list) : list_(list) { ++list_.state_->depth; }

ListenerList::Notice::~Notice()
{
    if (!ended_)
        list_.leave(false);
}

void ListenerList::Notice::end()
{
    ended_ = true;
    list_.leave(true);
}

void ListenerList::leave(bool throwError)
{
    DocumentConnection::State& state = *state_;
    if (--state.depth > 0)
        return;
    std::erase_if(state.entries, [](const auto& e) { return e.listener == nullptr; });
    for (auto& entry : state.entries)
        entry.joined = true;
    if (std::exception_ptr error = std::exchange(state.error, nullptr); error && throwError)
        std::rethrow_exception(error);
}

bool ListenerList::notifying() const { return state_->depth > 0; }

size_t ListenerList::size() const { return state_->entries.size(); }

DocumentListener* ListenerList::listenerAt(size_t index) const
{
    const auto& entry = state_->entries[index];
    return entry.joined ? entry.listener : nullptr;
}

void ListenerList::keep(std::exception_ptr error)
{
    if (!state_->error)
        state_->error = std::move(error);
}

}  // namespace dravik
