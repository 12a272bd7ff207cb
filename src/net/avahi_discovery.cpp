// DNS-SD through the Avahi daemon, when the build has its client library. The client runs on
// Avahi's own threaded poll; its callbacks run on that thread, under the poll's lock, and hand what
// they find to the game's thread through an inbox.
#ifdef CORVANE_HAS_AVAHI

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-client/publish.h>
#include <avahi-common/alternative.h>
#include <avahi-common/malloc.h>
#include <avahi-common/strlst.h>
#include <avahi-common/thread-watch.h>

#include <optional>
#include <string>

#include "net/discovery.h"
#include "net/inbox.h"

namespace corvane {

namespace {

constexpr char kVersionKey[] = "version";

// The threaded poll and its client, stopped and freed in the right order.
class AvahiSession {
 public:
  AvahiSession() = default;
  ~AvahiSession() {
    if (poll_ != nullptr) avahi_threaded_poll_stop(poll_);
    // Freeing the client frees its browsers, resolvers and entry groups.
    if (client_ != nullptr) avahi_client_free(client_);
    if (poll_ != nullptr) avahi_threaded_poll_free(poll_);
  }
  AvahiSession(const AvahiSession&) = delete;
  AvahiSession& operator=(const AvahiSession&) = delete;

  // False when the daemon cannot be reached: no D-Bus, no daemon. `callback` may run before this
  // returns, on this thread.
  bool Connect(AvahiClientCallback callback, void* user) {
    poll_ = avahi_threaded_poll_new();
    if (poll_ == nullptr) return false;
    int error = 0;
    client_ = avahi_client_new(avahi_threaded_poll_get(poll_), AvahiClientFlags(0), callback, user,
                               &error);
    return client_ != nullptr && avahi_threaded_poll_start(poll_) == 0;
  }

 private:
  AvahiThreadedPoll* poll_ = nullptr;
  AvahiClient* client_ = nullptr;
};

class AvahiPublisher : public TablePublisher {
 public:
  AvahiPublisher(const std::string& name, std::uint16_t port, std::string_view version)
      : name_(name),
        port_(port),
        versionRecord_(std::string(kVersionKey) + "=" + std::string(version)) {}

  bool Start() { return session_.Connect(&AvahiPublisher::ClientChanged, this); }

 private:
  static void ClientChanged(AvahiClient* client, AvahiClientState state, void* user) {
    auto* self = static_cast<AvahiPublisher*>(user);
    if (state == AVAHI_CLIENT_S_RUNNING) self->Publish(client);
    if (state == AVAHI_CLIENT_S_COLLISION && self->group_ != nullptr) {
      avahi_entry_group_reset(self->group_);
    }
  }

  static void GroupChanged(AvahiEntryGroup* group, AvahiEntryGroupState state, void* user) {
    if (state != AVAHI_ENTRY_GROUP_COLLISION) return;
    // Another table on the network has this name: the next of "NAME #2", "NAME #3", ...
    auto* self = static_cast<AvahiPublisher*>(user);
    char* other = avahi_alternative_service_name(self->name_.c_str());
    self->name_ = other;
    avahi_free(other);
    self->Publish(avahi_entry_group_get_client(group));
  }

  void Publish(AvahiClient* client) {
    if (group_ == nullptr)
      group_ = avahi_entry_group_new(client, &AvahiPublisher::GroupChanged, this);
    if (group_ == nullptr) return;
    avahi_entry_group_reset(group_);
    const std::string type(kTableServiceType);
    if (avahi_entry_group_add_service(group_, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC,
                                      AvahiPublishFlags(0), name_.c_str(), type.c_str(), nullptr,
                                      nullptr, port_, versionRecord_.c_str(), nullptr) == 0) {
      avahi_entry_group_commit(group_);
    }
  }

  std::string name_;
  std::uint16_t port_;
  std::string versionRecord_;
  AvahiEntryGroup* group_ = nullptr;
  AvahiSession session_;  // last: stopped before the rest goes
};

class AvahiBrowser : public TableBrowser {
 public:
  bool Start() { return session_.Connect(&AvahiBrowser::ClientChanged, this); }

  int WakeDescriptor() const override { return inbox_.Descriptor(); }
  bool Done() override {
    Take();
    return done_;
  }
  std::vector<FoundTable> Found() override {
    Take();
    return found_;
  }

 private:
  // What the Avahi thread tells the game's thread.
  struct News {
    std::optional<FoundTable> table;
    int lookups = 0;  // lookups started (+) or ended (-)
    bool allForNow = false;
    bool failed = false;

    static News Lookups(int change) {
      News news;
      news.lookups = change;
      return news;
    }
    static News AllForNow() {
      News news;
      news.allForNow = true;
      return news;
    }
    static News Failed() {
      News news;
      news.failed = true;
      return news;
    }
  };

  void Take() {
    for (News& news : inbox_.Take()) {
      if (news.table) found_.push_back(std::move(*news.table));
      lookups_ += news.lookups;
      allForNow_ = allForNow_ || news.allForNow;
      failed_ = failed_ || news.failed;
    }
    done_ = failed_ || (allForNow_ && lookups_ == 0);
  }

  static void ClientChanged(AvahiClient* client, AvahiClientState state, void* user) {
    auto* self = static_cast<AvahiBrowser*>(user);
    if (state == AVAHI_CLIENT_FAILURE) {
      self->inbox_.Put(News::Failed());
      return;
    }
    if (state != AVAHI_CLIENT_S_RUNNING || self->browsing_) return;
    self->browsing_ = true;
    const std::string type(kTableServiceType);
    if (avahi_service_browser_new(client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, type.c_str(),
                                  nullptr, AvahiLookupFlags(0), &AvahiBrowser::BrowserEvent,
                                  self) == nullptr) {
      self->inbox_.Put(News::Failed());
    }
  }

  static void BrowserEvent(AvahiServiceBrowser* browser, AvahiIfIndex interface,
                           AvahiProtocol protocol, AvahiBrowserEvent event, const char* name,
                           const char* type, const char* domain, AvahiLookupResultFlags,
                           void* user) {
    auto* self = static_cast<AvahiBrowser*>(user);
    switch (event) {
      case AVAHI_BROWSER_NEW:
        if (avahi_service_resolver_new(avahi_service_browser_get_client(browser), interface,
                                       protocol, name, type, domain, protocol, AvahiLookupFlags(0),
                                       &AvahiBrowser::Resolved, self) != nullptr) {
          self->inbox_.Put(News::Lookups(1));
        }
        return;
      case AVAHI_BROWSER_ALL_FOR_NOW:
        self->inbox_.Put(News::AllForNow());
        return;
      case AVAHI_BROWSER_FAILURE:
        self->inbox_.Put(News::Failed());
        return;
      case AVAHI_BROWSER_REMOVE:
      case AVAHI_BROWSER_CACHE_EXHAUSTED:
        return;
    }
  }

  static void Resolved(AvahiServiceResolver* resolver, AvahiIfIndex interface, AvahiProtocol,
                       AvahiResolverEvent event, const char* name, const char*, const char*,
                       const char*, const AvahiAddress* address, std::uint16_t port,
                       AvahiStringList* text, AvahiLookupResultFlags, void* user) {
    auto* self = static_cast<AvahiBrowser*>(user);
    News news = News::Lookups(-1);
    if (event == AVAHI_RESOLVER_FOUND && address != nullptr && port != 0) {
      char where[AVAHI_ADDRESS_STR_MAX] = {};
      avahi_address_snprint(where, sizeof where, address);
      FoundTable table{name, {where, port}, {}};
      // A link-local IPv6 address reaches the table only through the interface it was found on.
      if (address->proto == AVAHI_PROTO_INET6 && table.address.host.starts_with("fe80:")) {
        table.address.host += "%" + std::to_string(interface);
      }
      if (AvahiStringList* version = avahi_string_list_find(text, kVersionKey)) {
        char* key = nullptr;
        char* value = nullptr;
        if (avahi_string_list_get_pair(version, &key, &value, nullptr) == 0 && value != nullptr) {
          table.version = value;
        }
        avahi_free(key);
        avahi_free(value);
      }
      news.table = std::move(table);
    }
    avahi_service_resolver_free(resolver);
    self->inbox_.Put(std::move(news));
  }

  Inbox<News> inbox_;
  std::vector<FoundTable> found_;
  int lookups_ = 0;
  bool allForNow_ = false;
  bool failed_ = false;
  bool done_ = false;
  bool browsing_ = false;  // touched on Avahi's thread only
  AvahiSession session_;   // last: stopped before the rest goes
};

}  // namespace

std::unique_ptr<TablePublisher> TablePublisher::Start(const std::string& hostName,
                                                      std::uint16_t port,
                                                      std::string_view version) {
  auto publisher = std::make_unique<AvahiPublisher>(hostName, port, version);
  if (!publisher->Start()) return nullptr;
  return publisher;
}

std::unique_ptr<TableBrowser> TableBrowser::Start() {
  auto browser = std::make_unique<AvahiBrowser>();
  if (!browser->Start()) return nullptr;
  return browser;
}

}  // namespace corvane

#endif
