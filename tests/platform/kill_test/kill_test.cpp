// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Kills a process that keeps rewriting Korv.ini through the disk store, at random moments, and
// checks after each kill that the file holds one whole content (the last one written, or the one
// being written) and that a killed writer's temporary file does not stay behind for ever.
//   korvo_kill_test [kills] [longest wait in microseconds]
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

namespace fs = std::filesystem;

// Two settings files of different lengths, so that a cut or a mix of the two shows.
static std::string content(char letter, int lines) {
    std::string text = "[OPTION]\r\nFolder=/pictures/" + std::string(1, letter) + "/\r\n";
    for (int i = 0; i < lines; ++i)
        text += "Key" + std::to_string(i) + "=" + std::string(40, letter) + "\r\n";
    return text + "[Start]\r\nFirst=0\r\n";
}

// Every file beside Korv.ini, with the time it was last written.
static std::map<fs::path, fs::file_time_type> leftovers(const fs::path& folder) {
    std::map<fs::path, fs::file_time_type> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename() != "Korv.ini") files[entry.path()] = entry.last_write_time();
    return files;
}

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::string folder = (fs::temp_directory_path() / "korvo-kill.XXXXXX").string();
    if (!mkdtemp(folder.data())) return 2;
    const std::string path = folder + "/Korv.ini", a = content('a', 60), b = content('b', 150);
    korvo::platform::DiskTextFileStore store;
    if (!store.replace(path, a)) return 2;
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> writesFirst(0, 2),
        wait(0, argc > 2 ? std::atoi(argv[2]) : 1000);

    int torn = 0, stale = 0;
    for (int round = 1; round <= kills; ++round) {
        const std::string before = store.read(path).value_or(""), other = before == a ? b : a;
        const auto present = leftovers(folder);
        int fds[2];
        if (pipe(fds) != 0) return 2;
        const pid_t child = fork();
        if (child < 0) return 2;
        if (child == 0) {
            // The writer: the other content, then back, and so on until killed; one byte down
            // the pipe once it runs and one after each completed replacement.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            close(fds[0]);
            for (unsigned n = 0; write(fds[1], "w", 1) == 1; ++n)
                store.replace(path, n % 2 == 0 ? other : before);
            _exit(2);
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

        // With two contents taking turns, the last one written and the next are both of them.
        const auto after = store.read(path);
        if (after != a && after != b && torn++ < 10)
            std::fprintf(stderr, "kill %d after %ld writes: the file is not whole\n", round,
                         written);
        // A writer that completed a replacement has removed or rewritten what earlier writers
        // left behind.
        const auto now = leftovers(folder);
        for (const auto& [name, time] : present)
            if (written > 0 && now.count(name) && now.at(name) == time && stale++ < 10)
                std::fprintf(stderr, "kill %d: %s, an earlier writer's, is still there\n", round,
                             name.c_str());
    }
    // A writer that is not killed leaves nothing but the file.
    store.replace(path, a);
    const auto remaining = leftovers(folder);
    for (const auto& [name, time] : remaining) std::fprintf(stderr, "left: %s\n", name.c_str());
    std::printf(
        "%d kills: %d files not whole, %d temporary files left by the next writer, %zu "
        "after a clean write\n",
        kills, torn, stale, remaining.size());
    fs::remove_all(folder);
    return torn == 0 && stale == 0 && remaining.empty() ? 0 : 1;
}
