// The one place that holds the setup on show: the calculator's state as the
// core last answered it. Views read it and ask for changes through
// dispatch(); every change runs one operation of the core and repaints every
// view from the new state: the controls and rows at once, the panels that
// compute more (the weapon table, gains, comparison) in the next frame, so the
// rows a click changes show without waiting for them.
export class Store {
  constructor(core) {
    this.core = core;
    this.state = null;
    this.views = [];
    this.later = [];
    this.frame = 0;
    this.listeners = [];
  }

  addView(view, { later = false } = {}) {
    (later ? this.later : this.views).push(view);
  }

  // Called after every repaint (the builds view and the address keep up).
  onChange(listener) {
    this.listeners.push(listener);
  }

  // Runs a core operation that answers the calculator's state, and repaints.
  dispatch(op, args = {}) {
    return this.show(this.core.call(op, args));
  }

  // Shows an answer of the core that holds the calculator's state.
  show(answer) {
    this.state = { ...this.state, ...answer };
    this.render();
    return answer;
  }

  // Asks the core something that does not change the calculator.
  ask(op, args = {}) {
    return this.core.call(op, args);
  }

  render() {
    for (const view of this.views) view.render(this.state);
    for (const listener of this.listeners) listener(this.state);
    this.frame ||= requestAnimationFrame(() => {
      this.frame = 0;
      for (const view of this.later) view.render(this.state);
    });
  }
}
