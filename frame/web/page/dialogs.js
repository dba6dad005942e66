// The modal dialogs of the page: the message box and the input box, which the program waits
// for.
Object.assign(formsPage, {
  dialogOpen() { return document.querySelector("dialog[open]") !== null; },

  // A dialog as the program waits for it: the typed text handed over, or 0 when cancelled.
  async ask(kind, caption, prompt, copied, okCaption, cancelCaption) {
    const answer = await formsPage.dialog(kind, caption, prompt, copied, okCaption, cancelCaption);
    return answer === null ? 0 : formsPage.copyForProgram(answer);
  },

  // A modal dialog of the page, over the window (which takes no input while it is open); gives
  // the typed text, or null when cancelled.
  dialog(kind, caption, prompt, copied, okCaption, cancelCaption) {
    return new Promise((resolve) => {
      const returnFocus = document.activeElement;
      const dialog = document.createElement("dialog");
      dialog.className = "forms-dialog";
      const id = "forms-dialog-" + (formsPage.dialogs = (formsPage.dialogs || 0) + 1);
      dialog.setAttribute("aria-labelledby", id + "-caption");
      dialog.setAttribute("aria-describedby", id + "-prompt");
      const bar = document.createElement("div");
      bar.className = "forms-caption";
      bar.id = id + "-caption";
      bar.textContent = caption;
      const body = document.createElement("div");
      body.className = "forms-dialog-body";
      const text = document.createElement("p");
      text.id = id + "-prompt";
      text.textContent = prompt;
      if (kind === DialogKind.Error) {
        const icon = document.createElement("span");
        icon.className = "forms-error-icon";
        icon.setAttribute("aria-hidden", "true");
        icon.textContent = "!";
        body.append(icon);
      }
      body.append(text);
      let field = null;
      if (kind === DialogKind.Input) {
        field = document.createElement("input");
        field.type = "text";
        field.className = "forms-text";
        field.setAttribute("aria-labelledby", text.id);
        formsPage.limitLength(field);
        body.append(field);
      }
      const buttons = document.createElement("div");
      buttons.className = "forms-dialog-buttons";
      const ok = document.createElement("button");
      ok.type = "button";
      ok.textContent = okCaption;
      buttons.append(ok);
      let cancel = null;
      if (kind === DialogKind.Input) {
        cancel = document.createElement("button");
        cancel.type = "button";
        cancel.textContent = cancelCaption;
        buttons.append(cancel);
      }
      body.append(buttons);
      dialog.append(bar, body);
      // The box stays whole and centred in what the user sees while it is open, as the view
      // is panned, pinch-zoomed or resized (an on-screen keyboard coming up).
      const place = () => formsPage.placeDialog(dialog);
      const view = window.visualViewport || window;
      const follow = (listen) => {
        view[listen]("resize", place);
        view[listen]("scroll", place);
      };
      const finish = (answer) => {
        follow("removeEventListener");
        dialog.close();
        dialog.remove();
        if (returnFocus && returnFocus.isConnected) returnFocus.focus();
        resolve(answer);
      };
      ok.addEventListener("click", () => finish(field ? field.value : ""));
      if (cancel) cancel.addEventListener("click", () => finish(null));
      // Esc: the input box's Cancel, the message box's OK.
      dialog.addEventListener("cancel", (event) => {
        event.preventDefault();
        finish(field ? null : "");
      });
      dialog.addEventListener("keydown", (event) => {
        if (event.key === "Enter" && event.target === field) {
          event.preventDefault();
          finish(field.value);
        } else if (event.key === "Escape") {
          event.preventDefault();
          finish(field ? null : "");
        } else if ((event.ctrlKey || event.metaKey) && event.key.toLowerCase() === "c" &&
                   (!field || event.target !== field || field.selectionStart === field.selectionEnd)) {
          // Ctrl+C copies the caption and the text where the browser lets a page write the
          // clipboard (a secure context: file:// or https).
          event.preventDefault();
          if (navigator.clipboard) navigator.clipboard.writeText(copied).catch(() => {});
        }
      });
      // The box always keeps a focused control, as on the desktop: a click on its text, its
      // caption or beside it would leave the focus on the dialog itself or the page, where
      // Enter and Space do nothing; the control that had it takes it back.
      let focused = field || ok;
      dialog.addEventListener("focusin", (event) => {
        if (event.target !== dialog) focused = event.target;
      });
      dialog.addEventListener("focusout", () => setTimeout(() => {
        if (dialog.open && !buttons.contains(document.activeElement) && document.activeElement !== field) {
          focused.focus();
        }
      }));
      document.body.append(dialog);
      dialog.showModal();
      place();
      follow("addEventListener");
      focused.focus();
    });
  },

  // Places an open dialog in the middle of the part of the page the user sees (the visual
  // viewport: on a phone the window may be wider than the screen and panned, or pinch-zoomed),
  // whole: no wider or higher than that part less a margin, its text wrapping; should even the
  // wrapped box not fit (a view zoomed far in), it is scaled down to fit. A dialog is fixed in
  // the layout viewport, the visual viewport's offsets are from that viewport's corner.
  placeDialog(dialog) {
    const view = window.visualViewport ||
      {offsetLeft: 0, offsetTop: 0, width: document.documentElement.clientWidth, height: window.innerHeight};
    const margin = 8;
    const width = Math.max(0, view.width - 2 * margin);
    const height = Math.max(0, view.height - 2 * margin);
    const style = dialog.style;
    style.transform = "";
    style.transformOrigin = "0 0";
    style.margin = "0";
    style.right = style.bottom = "auto";
    style.minWidth = Math.min(240, width) + "px";
    style.maxWidth = style.maxHeight = "none";
    // The least width the box's content takes (its icon and buttons in a row, its text wrapped).
    style.width = "min-content";
    const least = dialog.offsetWidth;
    style.width = "";
    const scale = Math.min(1, width / Math.max(least, 1));
    style.maxWidth = Math.max(width, least) + "px";
    if (scale < 1) style.transform = "scale(" + scale + ")";
    style.maxHeight = height / scale + "px";
    // Whole pixels: text placed between two is drawn blurred in some engines.
    style.left = Math.round(view.offsetLeft + (view.width - dialog.offsetWidth * scale) / 2) + "px";
    style.top = Math.round(view.offsetTop + (view.height - dialog.offsetHeight * scale) / 2) + "px";
  },
});
