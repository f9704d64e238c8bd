// Every fake service bundled with an App, ready for a handler test.
// The base folder is C:\Dustvane, which holds an empty BackFile folder as shipped.
#pragma once
#include "shell/App.h"
#include "tests/fakes/FakeFileSystem.h"
#include "tests/fakes/FakeHttp.h"
#include "tests/fakes/FakeServices.h"
#include "tests/fakes/FakeThreads.h"
#include "tests/fakes/FakeUi.h"
#include "tests/fakes/FakeUrlCache.h"

namespace dv {

struct FakePlatform {
    FakeFileSystem fs;
    FakeRegistry registry;
    FakeIniFiles ini{fs};
    FakeShellOps shell{fs};
    FakeSystem system;
    FakeUi ui;
    FakeUrlCache urlCache;
    App app{fs, registry, ini, shell, system, ui, urlCache, AppState{}};
    FakeHttp http;
    FakeThreads threads;

    static constexpr const char* kBase = "C:\\Dustvane";

    FakePlatform() {
        ui.app = &app;
        app.http = &http;
        app.threads = &threads;
        fs.addFolder("C:\\Dustvane\\BackFile");
        fs.setCurrentDirectory(kBase);
        app.state.baseFolder = kBase;
        // A profile like a real one, so the marker is not empty.
        system.env["USERPROFILE"] = "C:\\Users\\owner";
        system.env["USERNAME"] = "owner";
        system.env["SYSTEMDRIVE"] = "C:";
        system.env["TEMP"] = "C:\\Users\\owner\\AppData\\Local\\Temp";
    }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;
};

}  // namespace dv
