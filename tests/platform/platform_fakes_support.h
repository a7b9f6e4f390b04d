// Recording fakes of the desktop services, and the bundle of them the windows take.
#pragma once

#include "platform/DocumentOpener.h"
#include "platform/FileSystem.h"
#include "platform/KeyValueStore.h"
#include "platform/MessageBox.h"
#include "platform/ProgramStarter.h"
#include "platform/ShellServices.h"
#include "platform/SysInfoLauncher.h"

#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace curvalia::platform::testing {

// claimedSize: a size the store reports instead of the real one.
struct FakeValue {
    std::uint32_t type = kStringValue;
    std::string bytes;
    std::optional<std::uint32_t> claimedSize = {};
};

class FakeKeyValueStore final : public KeyValueStore {
  public:
    std::map<std::string, std::map<std::string, FakeValue>> keys; // keys[key][value]
    std::vector<KeyHandle> closed;

    long openKey(std::int32_t root, const std::string& keyName, std::uint32_t,
                 KeyHandle& key) override {
        key = 0;
        if (root != kLocalMachineRoot || !keys.count(keyName))
            return kNotFound;
        opened_.push_back(keyName);
        key = opened_.size(); // handles start at 1
        return kSuccess;
    }
    long queryValue(KeyHandle key, const std::string& valueName, std::uint32_t& type, char* data,
                    std::uint32_t& size) override {
        if (key == 0 || key > opened_.size())
            return kInvalidHandle;
        const auto& values = keys.at(opened_[key - 1]);
        const auto it = values.find(valueName);
        if (it == values.end())
            return kNotFound;
        const auto need = static_cast<std::uint32_t>(it->second.bytes.size());
        if (need > size) {
            size = need;
            return kMoreData;
        }
        std::memcpy(data, it->second.bytes.data(), need);
        size = it->second.claimedSize.value_or(need);
        type = it->second.type;
        return kSuccess;
    }
    long closeKey(KeyHandle key) override {
        closed.push_back(key);
        return key ? kSuccess : kInvalidHandle;
    }

  private:
    std::vector<std::string> opened_;
};

struct FakeFileSystem final : FileSystem {
    std::set<std::string> files;
    bool fileExists(const std::string& path) override { return files.count(path) > 0; }
    std::string currentDirectory() override { return "/cartella/corrente"; }
};

struct FakeProgramStarter final : ProgramStarter {
    enum class Outcome { Starts, Fails, Throws } outcome = Outcome::Starts;
    std::vector<std::string> attempts;
    bool start(const std::string& program) override {
        attempts.push_back(program);
        if (outcome == Outcome::Throws)
            throw std::runtime_error("start failed");
        return outcome == Outcome::Starts;
    }
};

struct FakeDocumentOpener final : DocumentOpener {
    std::vector<std::string> opened;
    bool answer = true; // what the desktop says: false when nothing opens the target
    bool late = false;  // keep the answers until answerLate() instead of answering at once
    std::vector<Answer> waiting;
    void open(const std::string& target, Answer reply) override {
        opened.push_back(target);
        if (late)
            waiting.push_back(std::move(reply));
        else
            reply(answer);
    }
    void answerLate(bool desktopOpened) {
        for (Answer& reply : std::exchange(waiting, {}))
            reply(desktopOpened);
    }
};

struct FakeMessageBox final : MessageBox {
    std::vector<std::string> shown;
    void show(const std::string& text) override { shown.push_back(text); }
};

// Every desktop service faked, wired as the program wires the real ones;
// Files may be the real file system, for tests with files on disk.
template <class Files = FakeFileSystem> struct FakeShell {
    FakeDocumentOpener opener;
    Files files;
    FakeKeyValueStore store;
    FakeProgramStarter starter;
    FakeMessageBox messages;
    SysInfoLauncher sysInfo{store, files, starter, messages};
    ShellServices services{opener, files, sysInfo};
};

} // namespace curvalia::platform::testing
