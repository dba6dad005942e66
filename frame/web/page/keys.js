// Keyboard: Tab and the arrows by the core's navigation rules, the core's action keys once per
// press, the focus, and the key codes a text box's KeyPress gets. Every key code is the C++
// one (EnterKey, EscapeKey, SpaceKey, BackspaceKey), written by the build.
Object.assign(formsPage, {
  // The core's action keys (Enter, Esc, Space on a button) act once however long they are held.
  listenForKeys() {
    // Enter, Esc and Space by the codes the core knows them by; 0 for any other key.
    const keyCode = (event) => ({"Enter": EnterKey, "Escape": EscapeKey, " ": SpaceKey})[event.key] || 0;
    const onButton = (target) => target && (target.tagName === "BUTTON" || target.type === "radio") ? 1 : 0;
    document.addEventListener("keydown", (event) => {
      const key = keyCode(event);
      if (key && !formsProgram.pressKey(key, onButton(event.target), event.repeat ? 1 : 0)) {
        event.preventDefault();
        event.stopImmediatePropagation();
        return;
      }
      if (formsPage.dialogOpen() || event.ctrlKey || event.altKey || event.metaKey) return;
      const from = formsPage.indexOf(document.activeElement);
      if (event.key === "Tab") {
        event.preventDefault();
        formsPage.focus(formsProgram.nextTabStop(from, event.shiftKey ? 0 : 1), true);
      } else if (from >= 0 && formsPage.kinds[from] === ControlKind.OptionButton && event.key.startsWith("Arrow")) {
        event.preventDefault();
        const forward = event.key === "ArrowDown" || event.key === "ArrowRight";
        const to = formsProgram.nextInOptionGroup(from, forward ? 1 : 0);
        if (to >= 0) formsPage.focusTarget(to).click();
      }
    }, true);
    document.addEventListener("keyup", (event) => {
      const key = keyCode(event);
      if (key) formsProgram.releaseKey(key);
    }, true);
    window.addEventListener("blur", () => formsProgram.releaseAllKeys());
  },

  focus(index, byTab) {
    if (index < 0) return;
    const target = formsPage.focusTarget(index);
    target.focus();
    // Tabbing into a box selects its text, so that typing replaces it.
    if (byTab && formsPage.kinds[index] === ControlKind.TextBox) target.select();
  },
  focused() { return formsPage.indexOf(document.activeElement); },

  // The key code KeyPress gets for a key, or 0 for a key that types nothing (arrows, Shift, Tab).
  keyCodeOf(event) {
    if (event.isComposing || event.altKey || event.metaKey) return 0;
    if (event.key === "Enter") return EnterKey;
    if (event.key === "Backspace") return BackspaceKey;
    if (event.key === "Escape") return EscapeKey;
    if (event.ctrlKey) return /^[a-z]$/i.test(event.key) ? event.key.toUpperCase().charCodeAt(0) & 31 : 0;
    return [...event.key].length === 1 ? event.key.charCodeAt(0) : 0;
  },

  // A text box with a KeyPress handler: the key waits for the handler, which may swallow it
  // (code 0) or type another character instead. Ctrl+letter keys keep the browser's own action
  // (copy, paste, select all), which no page can redo later. Of the codes below Space's, the
  // control characters, only Backspace edits the box.
  deliverKeyPresses(index, box) {
    box.addEventListener("keydown", (event) => {
      const typed = formsPage.keyCodeOf(event);
      if (!typed) return;
      const control = event.ctrlKey;
      if (!control) event.preventDefault();
      const key = event.key;
      formsPage.later(async () => {
        const answer = await formsProgram.keyPress(index, typed);
        const outcome = answer >>> KeyOutcomeShift;
        const replacement = answer & ((1 << KeyOutcomeShift) - 1);
        if (outcome === KeyOutcome.TypeReplacement) {
          if (replacement === BackspaceKey) formsPage.edit(box, "delete", "");
          else if (replacement >= SpaceKey) formsPage.edit(box, "insertText", String.fromCharCode(replacement));
        } else if (outcome === KeyOutcome.TypeAsUsual && !control) {
          if (typed === BackspaceKey) formsPage.edit(box, "delete", "");
          else if (typed >= SpaceKey) formsPage.edit(box, "insertText", key);
        }
      });
    });
  },
});
