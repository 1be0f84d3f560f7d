// The player's files (settings, scores, the log) live in /save, a folder kept in the
// browser's IndexedDB. It is read back before the game starts and written out a moment
// after each save. When the browser gives the page no storage (private windows, storage
// blocked, no quota) the game runs all the same and the page says once that nothing
// will be kept.
if (typeof ENVIRONMENT_IS_PTHREAD === "undefined" || !ENVIRONMENT_IS_PTHREAD) {
  Module.rondelixStorage = "pending";
  Module.rondelixStorageFailed = false;

  function rondelixStorageProblem(text) {
    console.warn("Rondelix: " + text);
    if (Module.showNotice) {
      Module.showNotice(text);
    }
  }

  Module.preRun = Module.preRun || [];
  Module.preRun.push(function () {
    FS.mkdir("/save");
    var mounted = false;
    try {
      if (typeof indexedDB !== "undefined" && indexedDB !== null) {
        FS.mount(IDBFS, {}, "/save");
        mounted = true;
      }
    } catch (e) {
      mounted = false;
    }
    if (!mounted) {
      Module.rondelixStorage = "refused";
      rondelixStorageProblem("This browser keeps no files for this page: settings and high scores will not be kept.");
      return;
    }
    addRunDependency("rondelix-storage");
    FS.syncfs(true, function (error) {
      if (error) {
        Module.rondelixStorage = "refused";
        rondelixStorageProblem("This browser refused storage to this page: settings and high scores will not be kept.");
      } else {
        Module.rondelixStorage = "kept";
      }
      removeRunDependency("rondelix-storage");
    });
  });

  // Saves come in bursts (a file, then its rename into place): write out once, a
  // moment after the last, and never two write-outs at once.
  var rondelixSyncTimer = null;
  var rondelixSyncing = false;
  var rondelixSyncAgain = false;
  function rondelixWriteOut() {
    rondelixSyncTimer = null;
    if (rondelixSyncing) {
      rondelixSyncAgain = true;
      return;
    }
    rondelixSyncing = true;
    FS.syncfs(false, function (error) {
      rondelixSyncing = false;
      if (error && !Module.rondelixStorageFailed) {
        Module.rondelixStorageFailed = true;
        rondelixStorageProblem("The browser did not keep the saved files (" + error + "): settings and high scores will not be kept.");
      }
      if (rondelixSyncAgain) {
        rondelixSyncAgain = false;
        rondelixWriteOut();
      }
    });
  }
  Module.rondelixSync = function () {
    if (Module.rondelixStorage !== "kept") {
      return;
    }
    if (rondelixSyncTimer !== null) {
      clearTimeout(rondelixSyncTimer);
    }
    rondelixSyncTimer = setTimeout(rondelixWriteOut, 100);
  };
  // What was written since the last save (the log) goes out when the tab is hidden
  // or closed.
  addEventListener("visibilitychange", function () {
    if (document.hidden && Module.rondelixStorage === "kept") {
      rondelixWriteOut();
    }
  });
}
