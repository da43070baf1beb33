// The page around the program: loads it onto the canvas, says where it is
// while it loads, what went wrong if it cannot start and that it has ended
// when it ends (its END button, or the run-time error after its message),
// offers full screen, and keeps a copy of every file for use offline.
"use strict";

const statusBox = document.getElementById("status");
const message = document.getElementById("message");
const screen = document.getElementById("screen");

function showStatus(text) {
  message.textContent = text;
  statusBox.style.display = "flex";
  screen.style.display = "none";
}

// What the page's check reads: the program's state as the page knows it,
// and the program itself (the loader's module), once loading has begun.
// The program calls ended() when it ends (its END buttons, or the run-time
// error once its message was read).
window.palmosPage = { state: "loading", exitCode: undefined, module: () => undefined, ended };

function ended(code) {
  window.palmosPage.state = "ended";
  window.palmosPage.exitCode = code;
  showStatus(code !== 0
    ? "Palmos ended after a run-time error. Reload the page to start again. / " +
      "Το Palmos τερματίστηκε μετά από σφάλμα εκτέλεσης. Ανανεώστε τη σελίδα για να ξαναρχίσει."
    : "Palmos has ended. Reload the page to start again. / " +
      "Το Palmos τερματίστηκε. Ανανεώστε τη σελίδα για να ξαναρχίσει.");
}

window.addEventListener("load", () => {
  const loader = QtLoader({
    canvasElements: [screen],
    showLoader: (loaderStatus) => showStatus(loaderStatus + "… / Φόρτωση…"),
    showError: (errorText) => {
      window.palmosPage.state = "error";
      showStatus("Palmos could not start / Το Palmos δεν ξεκίνησε: " + errorText);
    },
    showExit: () => ended(loader.exitCode === undefined ? 1 : loader.exitCode),
    showCanvas: () => {
      window.palmosPage.state = "running";
      statusBox.style.display = "none";
      screen.style.display = "block";
    },
  });
  window.palmosPage.module = () => loader.module();
  loader.loadEmscriptenModule("palmos");
});

document.getElementById("fullscreen").addEventListener("click", () => {
  if (document.fullscreenElement) {
    document.exitFullscreen();
  } else if (document.documentElement.requestFullscreen) {
    document.documentElement.requestFullscreen().catch(() => {});
  }
});

// A drag anywhere on the page moves the program's controls, never the page.
for (const kind of ["touchmove", "gesturestart", "wheel"]) {
  document.addEventListener(kind, (event) => event.preventDefault(), { passive: false });
}

if ("serviceWorker" in navigator) {
  navigator.serviceWorker.register("service-worker.js").catch(() => {});
}
