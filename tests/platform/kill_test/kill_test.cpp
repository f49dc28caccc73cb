// Kills a process that keeps rewriting Korv.ini through the disk store, at random moments, and
// checks after each kill that the file holds one whole content (the last one written, or the one
// being written) and that a killed writer's temporary file does not stay behind for ever.
//   korvo_kill_test [--whole-only] [kills] [longest wait in microseconds]
// --whole-only leaves out the check of the temporary files.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "platform/disk_text_file_store.h"

namespace {

namespace fs = std::filesystem;

// Two settings files of different lengths, so that a cut or a mix of the two shows.
std::string content(char letter, int lines) {
    std::string text = "[OPTION]\r\nFolder=/pictures/" + std::string(1, letter) + "/\r\n";
    for (int i = 0; i < lines; ++i)
        text += "Key" + std::to_string(i) + "=" + std::string(40, letter) + "\r\n";
    return text + "[Start]\r\nFirst=0\r\n";
}

// Every file beside Korv.ini, with the time it was last written.
std::map<std::string, fs::file_time_type> leftovers(const fs::path& folder) {
    std::map<std::string, fs::file_time_type> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename() != "Korv.ini")
            files[entry.path().filename().string()] = entry.last_write_time();
    return files;
}

// The writer: from the file's current content, the other one, then back, and so on until
// killed; one byte down the pipe once it runs and one after each completed replacement.
[[noreturn]] void writeForEver(const std::string& path, const std::string& first,
                               const std::string& second, int pipe) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    korvo::platform::DiskTextFileStore store;
    if (write(pipe, "s", 1) != 1) _exit(2);
    for (unsigned n = 0;; ++n) {
        store.replace(path, n % 2 == 0 ? first : second);
        if (write(pipe, "w", 1) != 1) _exit(2);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool wholeOnly = argc > 1 && std::string(argv[1]) == "--whole-only";
    if (wholeOnly) --argc, ++argv;
    const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int longestWait = argc > 2 ? std::atoi(argv[2]) : 1000;
    std::string folderName = (fs::temp_directory_path() / "korvo-kill.XXXXXX").string();
    if (!mkdtemp(folderName.data())) return 2;
    const fs::path folder(folderName);
    const std::string path = (folder / "Korv.ini").string();
    const std::string a = content('a', 60), b = content('b', 150);

    korvo::platform::DiskTextFileStore store;
    if (!store.replace(path, a)) return 2;
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> writesFirst(0, 2), wait(0, longestWait);

    int torn = 0, stale = 0, midWrite = 0, holdingA = 0;
    std::size_t mostLeftovers = 0;
    for (int round = 1; round <= kills; ++round) {
        const auto current = store.read(path);
        if (!current) break;  // counted as torn below
        const std::string& before = *current;
        const std::string& other = before == a ? b : a;
        const auto present = leftovers(folder);
        int fds[2];
        if (pipe(fds) != 0) return 2;
        const pid_t child = fork();
        if (child < 0) return 2;
        if (child == 0) {
            close(fds[0]);
            writeForEver(path, other, before, fds[1]);
        }
        close(fds[1]);
        // Started, then a random number of completed writes, then a random wait: the kill
        // lands anywhere in a replacement, before the first one as well.
        char byte;
        long written = 0;
        if (read(fds[0], &byte, 1) != 1) return 2;
        for (int n = writesFirst(random); n > 0 && read(fds[0], &byte, 1) == 1; --n) ++written;
        usleep(static_cast<useconds_t>(wait(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        while (read(fds[0], &byte, 1) == 1) ++written;
        close(fds[0]);

        // After n completed replacements the file holds the n-th content, or the next one when
        // the kill came between the rename and the report.
        const auto after = store.read(path);
        const std::string& done = written % 2 == 0 ? before : other;
        const std::string& next = written % 2 == 0 ? other : before;
        if (!after || (*after != done && *after != next)) {
            if (torn++ < 10)
                std::fprintf(
                    stderr, "kill %d after %ld writes: the file holds %s\n", round, written,
                    after ? (std::to_string(after->size()) + " other bytes").c_str() : "nothing");
        }
        if (written > 0) ++midWrite;
        if (after == a) ++holdingA;

        // A writer that completed a replacement has removed or rewritten what earlier writers
        // left behind.
        const auto now = leftovers(folder);
        mostLeftovers = std::max(mostLeftovers, now.size());
        for (const auto& [name, time] : present) {
            const auto still = now.find(name);
            if (!wholeOnly && written > 0 && still != now.end() && still->second == time) {
                if (stale++ < 10)
                    std::fprintf(stderr, "kill %d: %s, left by an earlier writer, is still there\n",
                                 round, name.c_str());
            }
        }
    }
    // A writer that is not killed leaves nothing but the file.
    store.replace(path, a);
    const auto remaining = leftovers(folder);
    for (const auto& [name, time] : remaining)
        std::fprintf(stderr, "left behind: %s\n", name.c_str());
    std::printf(
        "%d kills, %d after at least one completed write; the file was whole after %d (A %d, B "
        "%d); temporary files: at most %zu at once, %d left unhandled by the next writer, %zu "
        "after a clean write\n",
        kills, midWrite, kills - torn, holdingA, kills - torn - holdingA, mostLeftovers, stale,
        remaining.size());
    fs::remove_all(folder);
    return torn == 0 && (wholeOnly || (stale == 0 && remaining.empty())) ? 0 : 1;
}
