// The server's API. Every action of the page is a script step (the language
// of `pexhost run`); the answer carries the new state.
// The access token comes from the address pexhost serve printed (#token=...).

const token = new URLSearchParams(location.hash.slice(1)).get('token') || '';

export class ApiError extends Error {
  constructor(status, message) {
    super(message);
    this.status = status;
  }
}

async function call(method, path, body) {
  const headers = { 'X-Pex-Token': token };
  if (body !== undefined) headers['Content-Type'] = 'application/json';
  const response = await fetch(path, {
    method,
    headers,
    body: body === undefined ? undefined : JSON.stringify(body),
    cache: 'no-store',
  }).catch(() => {
    throw new ApiError(0, 'the server does not answer (was pexhost serve stopped?)');
  });
  const text = await response.text();
  if (!response.ok) {
    let message = response.statusText;
    try { message = JSON.parse(text).error || message; } catch { /* not JSON */ }
    throw new ApiError(response.status, message);
  }
  return {
    text,
    timing: response.headers.get('Server-Timing') || '',
    type: response.headers.get('Content-Type') || '',
  };
}

export const api = {
  hasToken: () => token !== '',
  state: async () => JSON.parse((await call('GET', '/api/state')).text),
  // The picture drawn after picture `since`: {patch} with the edits of its
  // elements when the server has them, else {svg}, the whole picture.
  picture: async (since) => {
    const { text, type } = await call('GET', since === null ? '/api/svg' : `/api/svg?since=${since}`);
    return type.startsWith('application/json') ? { patch: JSON.parse(text) } : { svg: text };
  },
  // {ok, message, step, state, pictureEdits, timing}; throws ApiError for a
  // refused request. `held` ({since, picture}) names the state and picture
  // the page shows: the answer then leaves out what did not change.
  step: async (line, held = {}) => {
    const { text, timing } = await call('POST', '/api/step', { step: line, ...held });
    return { ...JSON.parse(text), timing };
  },
  acknowledge: async (seen) => JSON.parse((await call('POST', '/api/ack', { seen })).text),
};

// One word of a step line, quoted when it must be.
export function quote(word) {
  const text = typeof word === 'number' ? String(Math.round(word * 1000) / 1000) : String(word);
  if (text !== '' && !/[\s"#\\]/.test(text)) return text;
  return '"' + text.replace(/\\/g, '\\\\').replace(/"/g, '\\"') + '"';
}

export function stepLine(verb, ...args) {
  return [verb, ...args.map(quote)].join(' ');
}
