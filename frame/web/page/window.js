// Building the window and its controls, fitting it to the screen, and which control an element
// is.
Object.assign(formsPage, {
  // The described control an element belongs to, or -1.
  indexOf(element) {
    for (let node = element; node && node !== formsPage.client; node = node.parentElement) {
      const index = formsPage.controls.indexOf(node);
      if (index >= 0) return index;
    }
    return -1;
  },
  // What takes the keyboard focus for a control: an option button's radio button inside it.
  focusTarget(index) {
    const element = formsPage.controls[index];
    return formsPage.kinds[index] === ControlKind.OptionButton ? element.firstChild : element;
  },

  // The window's frame, not yet on the page. `notice` is what a refused edit says at its box.
  openWindow(caption, width, height, notice) {
    formsPage.notice = notice;
    const frame = document.createElement("div");
    frame.className = "forms-window";
    frame.setAttribute("role", "region");
    frame.setAttribute("aria-label", caption);
    const bar = document.createElement("div");
    bar.className = "forms-caption";
    const icon = document.querySelector("link[rel=icon]");
    if (icon) {
      const image = document.createElement("img");
      image.src = icon.href;
      image.alt = "";
      bar.append(image);
    }
    bar.append(caption);
    const client = document.createElement("div");
    client.className = "forms-client";
    client.style.width = width + "px";
    client.style.height = height + "px";
    frame.append(bar, client);
    formsPage.window = frame;
    formsPage.client = client;
    // A click on the client area itself (not on a control, a label included) is the window's.
    client.addEventListener("click", (event) => {
      if (event.target === client) formsPage.later(() => formsProgram.click(-1));
    });
    formsPage.listenForKeys();
    window.addEventListener("resize", formsPage.fitToScreen);
  },

  addControl(index, kind, name, caption, left, top, width, height, centred, hidden, hasKeyPress) {
    const element = formsPage.builders[kind](index, caption, centred, hasKeyPress);
    element.id = name;
    // A click on a control is that control's, never the window's.
    element.addEventListener("click", (event) => event.stopPropagation());
    element.style.left = left + "px";
    element.style.top = top + "px";
    element.style.width = width + "px";
    element.style.height = height + "px";
    element.hidden = hidden !== 0;
    formsPage.controls[index] = element;
    formsPage.kinds[index] = kind;
  },

  // One element builder for every kind of control, picked by the kind's number (ControlKind,
  // generated from C++); the page stops at load should a kind have none.
  builders: {
    [ControlKind.Label](index, caption, centred) {
      const element = document.createElement("div");
      element.className = "forms-label" + (centred ? " forms-centred" : "");
      element.textContent = caption;
      return element;
    },
    [ControlKind.TextBox](index, caption, centred, hasKeyPress) {
      const element = document.createElement("input");
      element.type = "text";
      element.className = "forms-text";
      element.spellcheck = false;
      element.autocomplete = "off";
      formsPage.limitLength(element);
      if (hasKeyPress) formsPage.deliverKeyPresses(index, element);
      return element;
    },
    [ControlKind.CommandButton](index, caption) {
      const element = document.createElement("button");
      element.type = "button";
      element.className = "forms-button";
      element.textContent = caption;
      element.addEventListener("click", () => formsPage.later(() => formsProgram.click(index)));
      return element;
    },
    // A radio button and its caption; a click anywhere on it selects it, as on the desktop.
    // No <label for>: that would move the focus on a click the way no desktop label does.
    [ControlKind.OptionButton](index, caption) {
      const element = document.createElement("div");
      element.className = "forms-option";
      const radio = document.createElement("input");
      radio.type = "radio";
      radio.name = "forms-options";
      radio.setAttribute("aria-label", caption);
      const text = document.createElement("span");
      text.textContent = caption;
      text.setAttribute("aria-hidden", "true");
      element.append(radio, text);
      element.addEventListener("click", (event) => {
        if (event.target !== radio && !radio.disabled) radio.click();
      });
      radio.addEventListener("click", () => {
        radio.focus();
        formsPage.later(() => formsProgram.click(index));
      });
      return element;
    },
  },

  // Appended in the core's stacking order: each text box's label right before its box, where a
  // screen reader reads it.
  stack(index) { formsPage.client.append(formsPage.controls[index]); },
  nameBy(textBox, label) { formsPage.controls[textBox].setAttribute("aria-labelledby", formsPage.controls[label].id); },

  // What the core's caption rule measures, at a font size in px: the width of a text on one line
  // and the height of a line.
  textWidth(text, pixels) {
    const context = (formsPage.measure ||= document.createElement("canvas").getContext("2d"));
    context.font = pixels + 'px "Forms Sans"';
    return context.measureText(text).width;
  },
  lineHeight(pixels) { return Math.ceil(pixels * 1.15); },
  useFontSize(pixels) { formsPage.client.style.fontSize = pixels + "px"; },

  show() {
    document.body.append(formsPage.window);
    formsPage.fitToScreen();
    // Ready for input once the first frame with the window is drawn (bench/startup-web).
    requestAnimationFrame(() => setTimeout(() => {
      document.documentElement.dataset.formsReady = String(performance.now());
    }));
  },

  // On a screen narrower (or lower) than the window, the window is scaled down to fit, but
  // never so far that its text falls below 9 CSS px (or below its own size, where that is
  // smaller): beyond that the page pans and pinch-zooms instead, and every control stays
  // readable and large enough to tap.
  fitToScreen() {
    const frame = formsPage.window;
    frame.style.transform = "";
    const margin = 16;
    const readable = Math.min(1, 9 / parseFloat(getComputedStyle(formsPage.client).fontSize));
    const scale = Math.min(1, (document.documentElement.clientWidth - margin) / frame.offsetWidth,
                           (window.innerHeight - margin) / frame.offsetHeight);
    frame.style.transform = scale < 1 ? "scale(" + Math.max(scale, readable) + ")" : "";
  },
});

for (const kind of Object.values(ControlKind)) {
  if (!formsPage.builders[kind]) throw new Error("the page builds no control of kind " + kind);
}
